// VerifyMicrosoftWinsock against whichever WSOCK32.DLL this program loads.
// The same tests run in several programs: netprep_tests loads Wine's own,
// each netprep_tests_wsock32_* program a stand-in from its own folder (or
// none at all) through a load-order override in tests/probes/prefix.reg.
#include "include/netprep.h"
#include "tests/support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What this program's WSOCK32.DLL must make the probe answer.
#ifndef NETPREP_WSOCK32_EXPECTED
#define NETPREP_WSOCK32_EXPECTED 0
#endif
// 1 when this program loads a stand-in, which reports each load.
#ifndef NETPREP_WSOCK32_STANDIN
#define NETPREP_WSOCK32_STANDIN 0
#endif
// The tests' suite name tells the programs apart in the test list.
#ifndef NETPREP_WSOCK32_SUITE
#define NETPREP_WSOCK32_SUITE VerifyMicrosoftWinsockWinesOwn
#endif

namespace netprep {
namespace {

constexpr int kExpected = NETPREP_WSOCK32_EXPECTED;
constexpr bool kStandIn = NETPREP_WSOCK32_STANDIN != 0;
constexpr char kStandInLoadVariable[] = "NETPREP_WSOCK32_LOAD_ERROR_MODE";

// Modes a script may have in force; each must be back after the call.
const struct {
    const char* name;
    UINT mode;
} kScriptErrorModes[] = {
    {"no flags", 0},
    {"critical errors and faults", SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX},
    {"every box off", SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX},
};

// The error mode the stand-in saw at its last load, in hexadecimal, or
// "not loaded".
std::string ErrorModeAtStandInLoad()
{
    char mode[16];
    if (GetEnvironmentVariableA(kStandInLoadVariable, mode, sizeof mode) == 0)
        return "not loaded";
    return mode;
}

// Puts the test program's own error mode back after each test.
class NETPREP_WSOCK32_SUITE : public testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA(kStandInLoadVariable, nullptr); }
    void TearDown() override { SetErrorMode(programMode_); }
    const UINT programMode_ = GetErrorMode();
};

TEST_F(NETPREP_WSOCK32_SUITE, AnswersForTheLibraryThatLoadsAndPutsTheErrorModeBack)
{
    // A stand-in reports only a load that reaches its entry point, so those
    // programs must not hold it already. Wine's own may be held by this
    // program's other tests; the probe must then leave the count as it was.
    const HMODULE socketsBefore = GetModuleHandleA("WSOCK32.DLL");
    if (kStandIn) {
        ASSERT_EQ(socketsBefore, nullptr) << "this program must not hold the sockets library";
    }
    for (const auto& row : kScriptErrorModes) {
        SCOPED_TRACE(row.name);
        SetEnvironmentVariableA(kStandInLoadVariable, nullptr);
        SetErrorMode(row.mode);

        EXPECT_EQ(VerifyMicrosoftWinsock(), kExpected);

        EXPECT_EQ(GetErrorMode(), row.mode);
        EXPECT_EQ(GetModuleHandleA("WSOCK32.DLL"), socketsBefore) << "the probe kept its reference";
        // Loaded quietly: the file-error box off, and nothing else changed.
        EXPECT_EQ(ErrorModeAtStandInLoad(), kStandIn ? "8000" : "not loaded");
    }
}

#if NETPREP_WSOCK32_EXPECTED != 1
// Where no sockets library loads, netprep.dll itself cannot load, since it
// imports inet_addr from WSOCK32.DLL; the script then never gets as far as
// the probe.
TEST_F(NETPREP_WSOCK32_SUITE, ThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    auto verify =
        reinterpret_cast<int(__cdecl*)()>(GetProcAddress(dll, "VerifyMicrosoftWinsock"));
    ASSERT_NE(verify, nullptr);
    const HMODULE socketsBefore = GetModuleHandleA("WSOCK32.DLL");
    SetErrorMode(SEM_FAILCRITICALERRORS);

    EXPECT_EQ(verify(), kExpected);

    EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_FAILCRITICALERRORS));
    // Only the probe's own reference comes and goes.
    EXPECT_EQ(GetModuleHandleA("WSOCK32.DLL"), socketsBefore);
    FreeLibrary(dll);
}

// The names that a loaded module imports from `dll`.
std::vector<std::string> ImportedNames(HMODULE module, const char* dll)
{
    std::vector<std::string> names;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return names;
    for (const auto* desc =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         desc->Name != 0; ++desc) {
        if (_stricmp(reinterpret_cast<const char*>(base + desc->Name), dll) != 0)
            continue;
        for (const auto* thunk =
                 reinterpret_cast<const IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
             thunk->u1.AddressOfData != 0; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal))
                names.push_back("#" + std::to_string(IMAGE_ORDINAL(thunk->u1.Ordinal)));
            else
                names.push_back(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(
                                    base + thunk->u1.AddressOfData)->Name);
        }
    }
    return names;
}

// Wine binds an import that the library lacks to a stub and loads the DLL
// anyway, so a missing function would only show when it is called.
TEST_F(NETPREP_WSOCK32_SUITE, LoadedLibraryHasEverythingNetprepImportsFromIt)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    HMODULE sockets = LoadLibraryA("WSOCK32.DLL");
    ASSERT_NE(sockets, nullptr) << GetLastError();
    for (const std::string& name : ImportedNames(dll, "WSOCK32.dll")) {
        SCOPED_TRACE(name);
        const char* lookup = name[0] == '#'
                                 ? MAKEINTRESOURCEA(std::stoi(name.substr(1)))
                                 : name.c_str();
        EXPECT_NE(GetProcAddress(sockets, lookup), nullptr);
    }
    FreeLibrary(sockets);
    FreeLibrary(dll);
}
#endif

}  // namespace
}  // namespace netprep
