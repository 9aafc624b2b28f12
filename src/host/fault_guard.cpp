// A fault that nothing handled must not leave the platform believing a saver still runs. The
// platform's own report decides first; when it asks for our handling the notice goes off, and
// the process then ends with the fault's code.
#include "host/host.h"

namespace polkamoot {

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER outerFilter;

LONG PLATFORM_API FaultGuard(EXCEPTION_POINTERS* fault) {
    // The report calls the process's filter itself; it must not come back here.
    SetUnhandledExceptionFilter(outerFilter);
    LONG verdict = UnhandledExceptionFilter(fault);
    if (verdict == EXCEPTION_EXECUTE_HANDLER) {
        SetSaverRunning(0);
    }
    return verdict;
}

} // namespace

int RunGuarded(int (*mode)(const char* text), const char* text) {
    outerFilter = SetUnhandledExceptionFilter(FaultGuard);
    int result = mode(text);
    SetUnhandledExceptionFilter(outerFilter);
    return result;
}

} // namespace polkamoot
