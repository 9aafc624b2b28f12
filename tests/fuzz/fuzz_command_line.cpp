// Any command line, in a Western or a Japanese code page, through the process entry: the run
// ends with a defined code, and whatever window it made leaves nothing behind.
#include "fuzz_support.h"

#include "host/host.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace polkamoot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    fuzz::FreshProcess();
    fake::machine.codePage = data[0] & 1 ? 932 : 1252;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    fake::machine.commandLine = line.c_str(); // the platform's command line ends at its first zero
    fake::MakeForeignWindow(152, 112);        // a settings page a preview may name

    int result = ProcessEntry();
    if (fake::machine.starved) {
        // The loop had nothing left to do: the saver still runs; the user closes it now.
        DestroyWindow(HostState.saverWindow);
        fuzz::Require(result == -1, "a starved loop ends with a quit code of -1");
    } else {
        fuzz::Require(result == -1 || result == 0 || result == 1, "exit code -1, 0 or 1");
    }
    fuzz::RequireNothingHeld("the run");
    return 0;
}
