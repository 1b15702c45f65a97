#include "frame/handles.h"
#include "include/netprep.h"

namespace {

// A bare name: the system's search order picks the file, as it does for
// every program that loads the sockets library.
constexpr char kSocketsLibraryName[] = "WSOCK32.DLL";
// Exports that only the operating system's own sockets library has.
constexpr char kSystemOnlyExports[][9] = {"Arecv", "s_perror"};

constexpr int kSystemSocketsLibrary = 2;
constexpr int kNoSocketsLibrary = 1;
constexpr int kOtherSocketsLibrary = 0;

}  // namespace

// 2: the WSOCK32.DLL that loads is the operating system's own; 0: it lacks one
// of the system's own exports; 1: none loads.
int NETPREP_API VerifyMicrosoftWinsock(void)
{
    // No box about a missing file while the library loads. The error mode is
    // the whole process's, so the script's own is back before anything else.
    const UINT scriptErrorMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    netprep::UniqueLibrary sockets(LoadLibraryA(kSocketsLibraryName));
    SetErrorMode(scriptErrorMode);
    if (!sockets)
        return kNoSocketsLibrary;
    for (const char* name : kSystemOnlyExports) {
        if (GetProcAddress(sockets.get(), name) == nullptr)
            return kOtherSocketsLibrary;
    }
    return kSystemSocketsLibrary;
}
