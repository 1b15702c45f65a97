// The 64-bit DLL as an installation script sees it: loaded by name from the
// program's folder, each export found by name and by ordinal.
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace netprep {
namespace {

// Every export of the library. Ordinals follow the byte order of the names,
// from 1, and never change.
const char* const kExportNames[] = {
    "CheckValidHostname", "CloseControlPanel",   "CloseToolTrayIcon", "ConfigureISP",
    "GetVersionFromVersionFile", "InsertHostName", "IpLoaded",        "IsControlPanelOpen",
    "IsINMClientRunningApps", "IsRunningINM95",  "IsRunningIPM95",    "NewerVersionInstalled",
    "PhoneBookExists",     "RegDBDeleteValue",   "RemoveHostName",    "RemoveOldHostName",
    "StopINM95",           "StopINMClient95",    "StopINMSwitch",     "StopIPM95",
    "VerifyMicrosoftWinsock",
};

class NetprepDll : public testing::Test {
protected:
    void SetUp() override
    {
        dll_ = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
        ASSERT_NE(dll_, nullptr) << GetLastError();
    }
    void TearDown() override
    {
        if (dll_ != nullptr)
            FreeLibrary(dll_);
    }
    HMODULE dll_ = nullptr;
};

TEST_F(NetprepDll, AllExportsAreAtTheOrdinalsOfTheirNamesByteOrder)
{
    std::vector<std::string> sorted(std::begin(kExportNames), std::end(kExportNames));
    std::sort(sorted.begin(), sorted.end(),
              [](const std::string& a, const std::string& b) { return strcmp(a.c_str(), b.c_str()) < 0; });

    for (size_t i = 0; i < sorted.size(); ++i) {
        const WORD ordinal = static_cast<WORD>(i + 1);
        SCOPED_TRACE(sorted[i] + " @" + std::to_string(ordinal));
        FARPROC byName = GetProcAddress(dll_, sorted[i].c_str());
        FARPROC byOrdinal = GetProcAddress(dll_, MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(byName, nullptr);
        EXPECT_EQ(byName, byOrdinal);
    }
    EXPECT_EQ(GetProcAddress(dll_, MAKEINTRESOURCEA(sorted.size() + 1)), nullptr);
    // Decorated names must not be what the script finds.
    EXPECT_EQ(GetProcAddress(dll_, "_RegDBDeleteValue"), nullptr);
}

TEST_F(NetprepDll, RegDBDeleteValueThroughTheExport)
{
    using DeleteValue = int(__cdecl*)(const char*, const char*);
    auto deleteValue = reinterpret_cast<DeleteValue>(GetProcAddress(dll_, "RegDBDeleteValue"));
    ASSERT_NE(deleteValue, nullptr);
    test::ScratchKey scratch("RegDBDeleteValueThroughTheExport");
    test::SetStringValue(scratch.path(), "InstalledVersion", "1.0");

    EXPECT_EQ(deleteValue(scratch.path().c_str(), "InstalledVersion"), 1);
    EXPECT_FALSE(test::ValueExists(scratch.path(), "InstalledVersion"));
    EXPECT_EQ(deleteValue(scratch.path().c_str(), "InstalledVersion"), 1);
}

}  // namespace
}  // namespace netprep
