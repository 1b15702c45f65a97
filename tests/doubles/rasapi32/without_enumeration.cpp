// Stand-in for a dial-up library that lacks the entry enumeration: it loads
// as RASAPI32.DLL but exports only an unrelated function.
#include <windows.h>

extern "C" DWORD WINAPI RasGetErrorStringA(UINT /*error*/, LPSTR text, DWORD cchText)
{
    if (text != nullptr && cchText > 0)
        text[0] = '\0';
    return ERROR_SUCCESS;
}
