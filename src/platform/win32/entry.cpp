// The process entry of the Windows build. The show state is not used: the saver decides how
// its window appears.
#include "host/host.h"
#include "platform/win32/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return polkamoot::ProcessEntry();
}
