// netprep-call: loads netprep.dll from its own folder and calls one export by
// name, the way an installation script does, then prints the result.
//
//   netprep-call <Export> [argument ...]
//   netprep-call --show-isp-record
//
// An argument written --null is passed as a null pointer. A window argument
// is a number (decimal or 0x hexadecimal). Exports that fill a buffer get one
// of 512 bytes, printed after the result.
//
// --show-isp-record prints the phone book entry record that ConfigureISP
// stored, with the password restored from its stored form, so a support
// person can check what a machine holds.
#include "isp/password_scrambler.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum class Shape {
    None,        // int f(void)
    Text,        // int f(const char*)
    TextText,    // int f(const char*, const char*)
    Window,      // int f(HWND)
    BufferText,  // int f(char* buffer512, const char*)
};

struct ExportShape {
    const char* name;
    Shape shape;
};

constexpr ExportShape kExports[] = {
    {"CheckValidHostname", Shape::Text},
    {"CloseControlPanel", Shape::Text},
    {"CloseToolTrayIcon", Shape::None},
    {"ConfigureISP", Shape::Window},
    {"GetVersionFromVersionFile", Shape::BufferText},
    {"InsertHostName", Shape::Text},
    {"IpLoaded", Shape::None},
    {"IsControlPanelOpen", Shape::Text},
    {"IsINMClientRunningApps", Shape::None},
    {"IsRunningINM95", Shape::None},
    {"IsRunningIPM95", Shape::None},
    {"NewerVersionInstalled", Shape::TextText},
    {"PhoneBookExists", Shape::None},
    {"RegDBDeleteValue", Shape::TextText},
    {"RemoveHostName", Shape::Text},
    {"RemoveOldHostName", Shape::Text},
    {"StopINM95", Shape::None},
    {"StopINMClient95", Shape::None},
    {"StopINMSwitch", Shape::None},
    {"StopIPM95", Shape::None},
    {"VerifyMicrosoftWinsock", Shape::None},
};

constexpr size_t kBufferSize = 512;

int ArgumentCount(Shape shape)
{
    switch (shape) {
    case Shape::None:
        return 0;
    case Shape::Text:
    case Shape::Window:
        return 1;
    case Shape::TextText:
    case Shape::BufferText:
        return 2;
    }
    return 0;
}

const char* TextArgument(const char* arg) { return strcmp(arg, "--null") == 0 ? nullptr : arg; }

void PrintArgument(const char* arg)
{
    if (arg == nullptr)
        printf("NULL");
    else
        printf("\"%s\"", arg);
}

constexpr const char* kIspRecordPath =
    "SOFTWARE\\Quillmere\\Internet Netmeld\\PhoneBookEntries\\0000";

// Prints a stored string as C text: bytes outside printable ASCII (the
// stored password runs up to 160) as \xNN.
void PrintQuoted(const char* text)
{
    putchar('"');
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p == '"' || *p == '\\')
            printf("\\%c", *p);
        else if (*p >= 0x20 && *p < 0x7F)
            putchar(*p);
        else
            printf("\\x%02X", *p);
    }
    putchar('"');
}

int ShowIspRecord()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIspRecordPath, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        printf("no ISP account record at HKLM\\%s\n", kIspRecordPath);
        return 1;
    }
    printf("HKLM\\%s\n", kIspRecordPath);
    const char* const names[] = {"Name", "DomainName", "NetUserName", "NetPassword"};
    for (const char* name : names) {
        char data[kBufferSize] = {};
        DWORD cbData = sizeof data - 1;
        DWORD type = 0;
        const LONG result =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &cbData);
        if (result != ERROR_SUCCESS) {
            printf("  %-11s (%s)\n", name,
                   result == ERROR_MORE_DATA ? "longer than 511 bytes" : "missing");
            continue;
        }
        printf("  %-11s = ", name);
        PrintQuoted(data);
        if (type != REG_SZ)
            printf("  (type %lu, not REG_SZ)", type);
        printf("\n");
        if (strcmp(name, "NetPassword") == 0) {
            char plain[kBufferSize];
            printf("  %-11s   ", "");
            if (netprep::RestorePassword(data, plain) == 0) {
                printf("restored: ");
                PrintQuoted(plain);
                printf("\n");
            } else {
                printf("(not a stored form that netprep writes)\n");
            }
        }
    }
    RegCloseKey(key);
    fflush(stdout);
    return 0;
}

int Usage()
{
    fprintf(stderr, "usage: netprep-call <Export> [argument ...]\n"
                    "       netprep-call --show-isp-record\n"
                    "       an argument --null passes a null pointer; --show-isp-record prints\n"
                    "       the ISP account record that ConfigureISP stored, password restored\n"
                    "exports:\n");
    for (const ExportShape& entry : kExports)
        fprintf(stderr, "  %s (%d argument%s)\n", entry.name, ArgumentCount(entry.shape),
                ArgumentCount(entry.shape) == 1 ? "" : "s");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    if (strcmp(argv[1], "--show-isp-record") == 0 && argc == 2)
        return ShowIspRecord();

    const ExportShape* found = nullptr;
    for (const ExportShape& entry : kExports)
        if (strcmp(entry.name, argv[1]) == 0)
            found = &entry;
    if (found == nullptr) {
        fprintf(stderr, "netprep-call: unknown export \"%s\"\n", argv[1]);
        return Usage();
    }
    const int expected = ArgumentCount(found->shape);
    if (argc - 2 != expected) {
        fprintf(stderr, "netprep-call: %s takes %d argument%s, %d given\n", found->name,
                expected, expected == 1 ? "" : "s", argc - 2);
        return 2;
    }

    HMODULE library = LoadLibraryA("netprep.dll");
    if (library == nullptr) {
        fprintf(stderr, "netprep-call: cannot load netprep.dll (error %lu)\n", GetLastError());
        return 3;
    }
    FARPROC proc = GetProcAddress(library, found->name);
    if (proc == nullptr) {
        fprintf(stderr, "netprep-call: netprep.dll has no export %s\n", found->name);
        FreeLibrary(library);
        return 3;
    }

    char buffer[kBufferSize] = {};
    int result = 0;
    printf("%s(", found->name);
    switch (found->shape) {
    case Shape::None:
        result = reinterpret_cast<int(__cdecl*)()>(proc)();
        break;
    case Shape::Text: {
        const char* text = TextArgument(argv[2]);
        PrintArgument(text);
        result = reinterpret_cast<int(__cdecl*)(const char*)>(proc)(text);
        break;
    }
    case Shape::TextText: {
        const char* first = TextArgument(argv[2]);
        const char* second = TextArgument(argv[3]);
        PrintArgument(first);
        printf(", ");
        PrintArgument(second);
        result = reinterpret_cast<int(__cdecl*)(const char*, const char*)>(proc)(first, second);
        break;
    }
    case Shape::Window: {
        HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(strtoll(argv[2], nullptr, 0)));
        printf("%p", static_cast<void*>(window));
        result = reinterpret_cast<int(__cdecl*)(HWND)>(proc)(window);
        break;
    }
    case Shape::BufferText: {
        const char* text = TextArgument(argv[3]);
        printf("buffer, ");
        PrintArgument(text);
        result = reinterpret_cast<int(__cdecl*)(char*, const char*)>(proc)(buffer, text);
        break;
    }
    }
    printf(") = %d\n", result);
    if (found->shape == Shape::BufferText)
        printf("buffer: \"%.*s\"\n", static_cast<int>(kBufferSize), buffer);
    fflush(stdout);
    FreeLibrary(library);
    return 0;
}
