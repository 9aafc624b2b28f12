// The unit tests' runner: a test fails on anything the fake still has to complain of when it
// ends, even after it reset the fake, as it fails on a handle it leaked.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class Complaints : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::map<std::string, int> counted;
        for (const std::string& complaint : polkamoot::fake::TakeComplaints()) {
            ++counted[complaint];
        }
        for (const auto& [complaint, times] : counted) {
            ADD_FAILURE() << complaint << " (" << times << "x)";
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new Complaints);
    return RUN_ALL_TESTS();
}
