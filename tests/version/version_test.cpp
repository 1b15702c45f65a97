// The version file and the installed version under the set-up key, each test
// writing its own file and value and removing them afterwards.
#include "frame/handles.h"
#include "include/netprep.h"
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"
#include "version/version_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace netprep {
namespace {

constexpr const char* kSetupKey = "SOFTWARE\\Quillmere\\Setup";
constexpr size_t kVersionSize = 512;

using namespace std::string_literals;

class VersionTest : public testing::Test {
protected:
    VersionTest()
        : versionFile_(test::ScratchDirectory(
                           testing::UnitTest::GetInstance()->current_test_info()->name()) +
                       "\\version.txt")
    {
        test::DeleteKeyTree(kSetupKey);
    }

    ~VersionTest() override
    {
        test::DeleteKeyTree(kSetupKey);
        // Only while nothing else lives under the maker's key.
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmere");
        test::RemoveFile(versionFile_);
    }

    void WriteVersionFile(const std::string& bytes) { test::WriteFileBytes(versionFile_, bytes); }

    const std::string versionFile_;
};

// A destination larger than the export's 512 bytes, so a write past them
// shows.
struct Destination {
    Destination() { memset(bytes, '#', sizeof bytes); }
    bool UntouchedFrom(size_t offset) const
    {
        for (size_t i = offset; i < sizeof bytes; ++i)
            if (bytes[i] != '#')
                return false;
        return true;
    }
    char bytes[kVersionSize + 64];
};

TEST_F(VersionTest, VersionStringIsTheFirstLineReadAsText)
{
    const std::string longLine(600, '7');
    const struct {
        const char* name;
        std::string file;
        int expected;
        std::string version;
    } cases[] = {
        {"CR LF ends the line", "1.2.3\r\n2.0\r\n", 1, "1.2.3"},
        {"LF ends the line", "1.2.3\n2.0\n", 1, "1.2.3"},
        {"no line end", "1.2.3", 1, "1.2.3"},
        {"a CR without LF stays", "1.2\r3\r\n", 1, "1.2\r3"},
        {"empty first line", "\r\n1.0\r\n", 1, ""},
        {"a zero byte ends the string", "1.0\0x\r\n"s, 1, "1.0"},
        {"0x1A ends the file", "1.0\x1a" "9\r\n", 1, "1.0"},
        {"511 characters", longLine.substr(0, 511) + "\r\n", 1, longLine.substr(0, 511)},
        {"longer than 511 characters", longLine + "\r\n", 1, longLine.substr(0, 511)},
        {"empty file", "", 0, ""},
        {"0x1A first", "\x1a" "1.0\r\n", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteVersionFile(c.file);
        Destination destination;
        EXPECT_EQ(GetVersionFromVersionFile(destination.bytes, versionFile_.c_str()), c.expected);
        if (c.expected == 1) {
            EXPECT_EQ(std::string(destination.bytes), c.version);
            EXPECT_TRUE(destination.UntouchedFrom(c.version.size() + 1));
        } else {
            EXPECT_TRUE(destination.UntouchedFrom(0)) << "left as it was";
        }
    }
}

TEST_F(VersionTest, UnreadableVersionFileLeavesTheDestinationAsItWas)
{
    const std::string folder = test::ScratchDirectory("UnreadableVersionFile-folder");
    const std::string missing = versionFile_ + ".missing";
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"missing file", missing.c_str()},
        {"a folder", folder.c_str()},
        {"null path", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Destination destination;
        EXPECT_EQ(GetVersionFromVersionFile(destination.bytes, c.path), 0);
        EXPECT_TRUE(destination.UntouchedFrom(0));
    }

    WriteVersionFile("1.0\r\n");
    EXPECT_EQ(GetVersionFromVersionFile(nullptr, versionFile_.c_str()), 0);
}

TEST_F(VersionTest, ReadsAVersionFileThatAnotherProgramHoldsOpenForWriting)
{
    WriteVersionFile("4.2\r\n");
    UniqueHandle writer(CreateFileA(versionFile_.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
    test::SetStringValue(kSetupKey, "Version", "4.3");

    Destination destination;
    EXPECT_EQ(GetVersionFromVersionFile(destination.bytes, versionFile_.c_str()), 1);
    EXPECT_STREQ(destination.bytes, "4.2");
    EXPECT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), 1);
}

TEST_F(VersionTest, InstalledVersionIsComparedAsSignedCharacters)
{
    const struct {
        const char* name;
        const char* installed;
        const char* version;
        int expected;
    } cases[] = {
        {"later fifth character", "1.0.3", "1.0.1", 1},
        {"earlier fifth character", "1.0.1", "1.0.3", 0},
        {"equal strings", "1.0.1", "1.0.1", 0},
        {"characters, not numbers: 1.9 after 1.10", "1.9", "1.10", 1},
        {"characters, not numbers: 1.10 before 1.9", "1.10", "1.9", 0},
        {"10.0 before 9.0", "10.0", "9.0", 0},
        {"installed string longer", "1.0.1", "1.0", 1},
        {"version string longer", "1.0", "1.0.1", 0},
        {"case counts", "1.0B", "1.0b", 0},
        {"a trailing blank makes it longer", "1.0 ", "1.0", 1},
        {"the empty string sorts first", "2.0", "", 1},
        {"0xE9 is negative and sorts before 'a'", "1.0a", "1.0\xe9", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::SetStringValue(kSetupKey, "Version", c.installed);
        WriteVersionFile(c.version + "\r\n"s);
        EXPECT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), c.expected);
    }
}

TEST_F(VersionTest, InstalledVersionValueAsStored)
{
    const std::string longest(511, 'b');  // 512 bytes with its zero byte
    const std::string tooLong(512, '9');
    const std::string fullBuffer(512, '2');
    const DWORD number = 0x31;
    const struct {
        const char* name;
        const char* valueName;  // read by the export; "Version" holds the data
        DWORD type;
        std::string data;
        const char* version;
        int expected;
    } cases[] = {
        {"no such value", "Missing", REG_SZ, "2.0\0"s, "1.0", 0},
        {"no data", "Version", REG_SZ, "", "", 0},
        {"the empty string", "Version", REG_SZ, "\0"s, "", 0},
        {"511 characters fit", "Version", REG_SZ, longest + '\0', "a", 1},
        {"more than 512 bytes", "Version", REG_SZ, tooLong + '\0', "1", 0},
        {"number 0x31 reads as '1', newer", "Version", REG_DWORD,
         std::string(reinterpret_cast<const char*>(&number), 4), "0.9", 1},
        {"number 0x31 reads as '1', equal", "Version", REG_DWORD,
         std::string(reinterpret_cast<const char*>(&number), 4), "1", 0},
        {"string stored without its zero byte", "Version", REG_SZ, "1.5", "1.5", 0},
        {"binary data without a zero byte, equal", "Version", REG_BINARY, "1.5", "1.5", 0},
        {"binary data without a zero byte, newer", "Version", REG_BINARY, "1.5", "1.4", 1},
        {"512 bytes without a zero byte", "Version", REG_BINARY, fullBuffer,
         fullBuffer.c_str() + 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DeleteKeyTree(kSetupKey);
        test::SetValue(kSetupKey, "Version", c.type, c.data.data(),
                       static_cast<DWORD>(c.data.size()));
        WriteVersionFile(c.version + "\r\n"s);
        EXPECT_EQ(NewerVersionInstalled(c.valueName, versionFile_.c_str()), c.expected);
    }
}

TEST_F(VersionTest, NewerVersionInstalledIsZeroWhenEitherSideCannotBeRead)
{
    WriteVersionFile("1.0\r\n");
    EXPECT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), 0) << "no set-up key";

    test::SetStringValue(kSetupKey, "Version", "2.0");
    ASSERT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), 1);
    {
        test::ReadOnlyKey readOnly(kSetupKey);
        EXPECT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), 0)
            << "a key that may only be read counts as absent";
    }

    const std::string missing = versionFile_ + ".missing";
    const struct {
        const char* name;
        std::optional<std::string> file;
        const char* path;
    } cases[] = {
        {"missing version file", std::nullopt, missing.c_str()},
        {"empty version file", "", versionFile_.c_str()},
        {"0x1A first", "\x1a" "1.0\r\n", versionFile_.c_str()},
        {"null path", "1.0\r\n", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.file)
            WriteVersionFile(*c.file);
        EXPECT_EQ(NewerVersionInstalled("Version", c.path), 0);
    }
}

TEST_F(VersionTest, UnnamedValueIsReadForANullOrEmptyName)
{
    test::SetStringValue(kSetupKey, nullptr, "2.0");
    test::SetStringValue(kSetupKey, "Version", "0.5");
    WriteVersionFile("1.0\r\n");
    EXPECT_EQ(NewerVersionInstalled(nullptr, versionFile_.c_str()), 1);
    EXPECT_EQ(NewerVersionInstalled("", versionFile_.c_str()), 1);
    EXPECT_EQ(NewerVersionInstalled("Version", versionFile_.c_str()), 0);
}

TEST(InstalledVersionLength, EndsAtTheStoredBytesWithoutAZeroByte)
{
    // The bytes after the stored ones stand for whatever the buffer held.
    const char data[] = "1.5XYZ\0\0";
    EXPECT_EQ(InstalledVersionLength(data, 3), 3u);
    EXPECT_EQ(InstalledVersionLength("1.5\0XY", 6), 3u);
    EXPECT_EQ(InstalledVersionLength(data, 0), 0u);
}

TEST_F(VersionTest, BothExportsThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    auto getVersion = reinterpret_cast<int(__cdecl*)(char*, const char*)>(
        GetProcAddress(dll, "GetVersionFromVersionFile"));
    auto newerInstalled = reinterpret_cast<int(__cdecl*)(const char*, const char*)>(
        GetProcAddress(dll, "NewerVersionInstalled"));
    ASSERT_NE(getVersion, nullptr);
    ASSERT_NE(newerInstalled, nullptr);

    WriteVersionFile("3.1\r\n");
    test::SetStringValue(kSetupKey, "Version", "3.2");
    char destination[kVersionSize] = {};
    EXPECT_EQ(getVersion(destination, versionFile_.c_str()), 1);
    EXPECT_STREQ(destination, "3.1");
    EXPECT_EQ(newerInstalled("Version", versionFile_.c_str()), 1);
    FreeLibrary(dll);
}

}  // namespace
}  // namespace netprep
