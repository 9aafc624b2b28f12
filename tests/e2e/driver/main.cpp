#include "driver.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace driver {

namespace {

std::map<std::string, Handler>& Commands() {
    static std::map<std::string, Handler> commands;
    return commands;
}

} // namespace

Command::Command(const char* name, Handler handler) {
    Commands()[name] = handler;
}

} // namespace driver

int main(int argc, char** argv) {
    auto& commands = driver::Commands();
    auto found = argc > 1 ? commands.find(argv[1]) : commands.end();
    if (found == commands.end()) {
        std::fprintf(stderr, "usage: e2e_driver <command> [arguments]; commands:");
        for (auto& [name, handler] : commands) {
            std::fprintf(stderr, " %s", name.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    int result = found->second(argc - 2, argv + 2);
    std::fflush(stdout);
    return result;
}
