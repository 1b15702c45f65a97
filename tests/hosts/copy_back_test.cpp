// CopyFileBack on files of its own in a scratch folder. Built into both test
// programs: the NT family replaces the destination in one step, Windows 95
// moves it aside first, and both must give the same outcomes.
#include "hosts/copy_back.h"

#include "tests/support/file_faults.h"
#include "tests/support/files.h"
#include "tests/hosts/hosts_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace netprep {
namespace {

const std::optional<std::string> kNoFile = std::nullopt;

// 700 bytes: a full block and 188 more, with every byte value that a text
// stream would change or stop at.
std::string BinaryBytes()
{
    std::string bytes;
    for (int i = 0; i < 700; ++i)
        bytes += static_cast<char>(i % 7 == 0 ? '\r' : i % 11 == 0 ? '\x1A' : i % 256);
    return bytes;
}

struct CopyCase {
    const char* name;
    std::optional<std::string> source;
    std::optional<std::string> destination;
    DWORD destinationAttributes;  // 0: as created
    int result;
};

TEST(CopyFileBack, DestinationHoldsTheSourceOrWhatItHeldBefore)
{
    const std::string folder = test::ScratchDirectory("CopyFileBack");
    const std::string source = folder + "\\source.tmp";
    const std::string destination = folder + "\\target";
    const CopyCase kCases[] = {
        {"TwoBlocksByteForByte", BinaryBytes(), "old", 0, 1},
        {"EmptySourceEmptiesTheDestination", "", "old", 0, 1},
        {"MissingDestinationIsCreated", "new", kNoFile, 0, 1},
        {"MissingSourceChangesNothing", kNoFile, "old", 0, 0},
        {"ReadOnlyDestinationIsLeftAlone", "new", "old", FILE_ATTRIBUTE_READONLY, 0},
        {"HiddenSystemDestinationKeepsItsAttributes", "new", "old",
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 1},
    };
    for (const CopyCase& entry : kCases) {
        SCOPED_TRACE(entry.name);
        test::RemoveFile(source);
        test::RemoveFile(destination);
        if (entry.source)
            test::WriteFileBytes(source, *entry.source);
        if (entry.destination)
            test::WriteFileBytes(destination, *entry.destination);
        if (entry.destinationAttributes != 0) {
            ASSERT_TRUE(SetFileAttributesA(destination.c_str(), entry.destinationAttributes));
        }

        EXPECT_EQ(CopyFileBack(source.c_str(), destination.c_str()), entry.result);

        bool exists = false;
        const std::string after = test::ReadFileBytes(destination, &exists);
        const std::optional<std::string>& expected =
            entry.result == 1 ? entry.source : entry.destination;
        EXPECT_EQ(exists ? std::optional<std::string>(after) : kNoFile, expected);
        if (entry.destinationAttributes != 0) {
            EXPECT_EQ(GetFileAttributesA(destination.c_str()) & entry.destinationAttributes,
                      entry.destinationAttributes);
        }
        if (entry.source) {
            EXPECT_EQ(test::ReadFileBytes(source), *entry.source);
        }
        EXPECT_EQ(test::SideFilesIn(folder), std::vector<std::string>{});
    }
    test::RemoveFile(source);
    test::RemoveFile(destination);
}

TEST(CopyFileBack, SamePathInOtherCaseTouchesNothing)
{
    const std::string folder = test::ScratchDirectory("CopyFileBackSamePath");
    const std::string path = folder + "\\Hosts.Tmp";
    test::WriteFileBytes(path, "kept");
    // Read-only, so that any attempt to write it would fail the call.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(CopyFileBack(path.c_str(), (folder + "\\HOSTS.tmp").c_str()), 1);

    EXPECT_EQ(test::ReadFileBytes(path), "kept");
    EXPECT_EQ(test::SideFilesIn(folder), std::vector<std::string>{});
    test::RemoveFile(path);
}

TEST(CopyFileBack, ReadErrorOnTheSourceIsAFailureNotAnEnd)
{
    const std::string folder = test::ScratchDirectory("CopyFileBackReadError");
    const std::string source = folder + "\\source.tmp";
    const std::string destination = folder + "\\target";
    test::WriteFileBytes(destination, "old");
    // Reading this link's target fails at once with EIO: an empty-looking
    // source that must not empty the destination.
    const std::string unixSource = test::UnixPathOf(source);
    if (unixSource.empty() ||
        test::RunUnixCommand("ln -sf /proc/self/mem " + test::ShellQuoted(unixSource)) != 0)
        GTEST_SKIP() << "cannot make a source that fails to read (needs Wine and /proc)";

    EXPECT_EQ(CopyFileBack(source.c_str(), destination.c_str()), 0);

    EXPECT_EQ(test::ReadFileBytes(destination), "old");
    EXPECT_EQ(test::SideFilesIn(folder), std::vector<std::string>{});
    // Removed on the Unix side: a Windows call could act on the target.
    test::RunUnixCommand("rm -f " + test::ShellQuoted(unixSource));
    test::RemoveFile(destination);
}

}  // namespace
}  // namespace netprep
