// The hosts file exports as an installation script reaches them: netprep.dll
// loaded from the program's folder, each export found by name.
#include "tests/hosts/hosts_fixture.h"
#include "tests/support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace netprep {
namespace {

using Export = int(__cdecl*)(const char*);

TEST(HostsExports, InsertRemoveAndCheckThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    const auto insert = reinterpret_cast<Export>(GetProcAddress(dll, "InsertHostName"));
    const auto remove = reinterpret_cast<Export>(GetProcAddress(dll, "RemoveHostName"));
    const auto removeOld = reinterpret_cast<Export>(GetProcAddress(dll, "RemoveOldHostName"));
    const auto check = reinterpret_cast<Export>(GetProcAddress(dll, "CheckValidHostname"));
    ASSERT_TRUE(insert && remove && removeOld && check);
    {
        test::SavedHostsFile saved;
        test::SetHostsText("127.0.0.1 localhost\r\n");

        EXPECT_EQ(insert("netmeld-gw"), 1);
        EXPECT_EQ(test::HostsText(), "127.0.0.1\tnetmeld-gw\r\n127.0.0.1 localhost\r\n");
        EXPECT_EQ(remove("NETMELD-GW"), 1);
        EXPECT_EQ(removeOld("netmeld-gw"), 0);
        EXPECT_EQ(test::HostsText(), "127.0.0.1 localhost\r\n");
        EXPECT_EQ(check("netmeld-gw"), 1);
        EXPECT_EQ(check("192.168.0.1"), 0);
    }
    FreeLibrary(dll);
}

}  // namespace
}  // namespace netprep
