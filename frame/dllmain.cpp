// Entry function of netprep.dll. The C runtime is started before it sees
// DLL_PROCESS_ATTACH and shut down after DLL_PROCESS_DETACH.
#include "frame/frame.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        netprep::StoreModuleHandle(instance);
    // Loading never fails on the library's account.
    return TRUE;
}
