// Stand-in for a sockets library that some other networking package installs
// under the name WSOCK32.DLL. Which of the two exports that only the
// operating system's own library has are present depends on the .def it is
// linked with; inet_addr is forwarded, so netprep.dll still loads with it.
#include <windows.h>

#include <cstdio>

// Never called: only their presence is probed.
extern "C" int Arecv(void) { return 0; }
extern "C" void s_perror(const char*, int) {}

// Tells the test which library a load reached and with which error mode it
// was loaded: the process error mode at attach, in hexadecimal.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char mode[16];
        snprintf(mode, sizeof mode, "%x", GetErrorMode());
        SetEnvironmentVariableA("NETPREP_WSOCK32_LOAD_ERROR_MODE", mode);
    }
    return TRUE;
}
