// A full disk under each editing export, made by a small tmpfs mounted over
// the hosts file's folder. Windows NT family only: the Windows 95 hosts file
// lies in the Windows directory itself, which a small file system cannot
// cover without hiding the system.
#include "tests/hosts/hosts_fixture.h"
#include "tests/support/file_faults.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netprep {
namespace {

// Three 4 KB pages, so that the small file systems below run out at a
// known step.
std::string PageSizedHostsText()
{
    std::string text = "127.0.0.1 localhost\r\n127.0.0.1 server\r\n# kept\r\n";
    while (text.size() < 11500)
        text += "# filler that takes room on a small disk\r\n";
    return text;
}

TEST(HostsFileFaults, FullDiskLeavesTheHostsFileWholeAndSaysSo)
{
    const struct {
        const char* name;
        int kilobytes;
        int result;
        bool temporaryFileKept;  // the edit was complete but could not be put in place
    } kDisks[] = {
        // The control: the mount itself changes nothing.
        {"RoomForEverything", 256, 1, false},
        // Hosts file 3 pages, temporary file 2 of 3. The C runtime reports
        // the short write as a success; the size check must not.
        {"NoRoomForTheTemporaryFile", 20, 0, false},
        // Hosts file 3, temporary file 3, side file 2 of 3.
        {"NoRoomForTheSideFile", 32, 0, true},
    };
    test::SavedHostsFile saved;
    const std::string before = PageSizedHostsText();
    for (const auto& disk : kDisks) {
        for (const test::EditingExport& edit : test::kEditingExports) {
            SCOPED_TRACE(std::string(disk.name) + " / " + edit.name);
            test::SmallFileSystem smallDisk(test::HostsFolder(), disk.kilobytes);
            if (!smallDisk.ok())
                GTEST_SKIP() << smallDisk.error();
            test::SetHostsText(before);
            ASSERT_EQ(test::HostsText(), before) << "the hosts file does not fit the small disk";

            const int result = edit.call("server");

            EXPECT_EQ(result, disk.result);
            test::ExpectWholeAndReported(edit, result, before);
            EXPECT_EQ(test::FileExists(test::TempHostsPath()), disk.temporaryFileKept);
            EXPECT_EQ(test::SideFilesIn(test::HostsFolder()), std::vector<std::string>{});
        }
    }
}

}  // namespace
}  // namespace netprep
