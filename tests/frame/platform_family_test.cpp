// The harness runs this program as Windows 95; every test that needs that
// family lives in it.
#include <windows.h>

#include <gtest/gtest.h>

TEST(PlatformFamily, ThisProgramSeesWindows95)
{
    EXPECT_NE(GetVersion() & 0x80000000u, 0u) << std::hex << GetVersion();
}
