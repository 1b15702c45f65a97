// Locked, protected and unreadable hosts files under each editing export.
// Built into both test programs: the NT family replaces the hosts file in
// one step, Windows 95 moves it aside first.
#include "frame/handles.h"
#include "tests/hosts/hosts_fixture.h"
#include "tests/support/file_faults.h"
#include "tests/support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace netprep {
namespace {

using test::EditingExport;
using test::kEditingExports;

const std::string kBefore = "127.0.0.1 localhost\r\n127.0.0.1 server\r\n# kept\r\n";

enum class Fault {
    kHeldWithoutWriteSharing,  // another program reads it: it can be read, not replaced
    kHeldWithoutSharing,       // another program has it to itself: not even read
    kImmutable,                // chattr +i: root cannot write, rename or delete it
    kReadOnlyAttribute,        // protected by its owner
};

// Puts the fault on the hosts file as it now is, and takes it off again.
class AppliedFault {
public:
    explicit AppliedFault(Fault fault)
    {
        const std::string hosts = test::HostsPath();
        switch (fault) {
        case Fault::kHeldWithoutWriteSharing:
        case Fault::kHeldWithoutSharing: {
            const DWORD share = fault == Fault::kHeldWithoutSharing ? 0 : FILE_SHARE_READ;
            HANDLE handle = CreateFileA(hosts.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE)
                error_ = "cannot open the hosts file: " + std::to_string(GetLastError());
            else
                holder_.reset(handle);
            break;
        }
        case Fault::kImmutable:
            immutable_ = std::make_unique<test::ImmutableFile>(hosts);
            if (!immutable_->ok())
                error_ = immutable_->error();
            break;
        case Fault::kReadOnlyAttribute:
            if (!SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY))
                error_ = "cannot make the hosts file read-only";
            readOnly_ = true;
            break;
        }
    }
    ~AppliedFault()
    {
        if (readOnly_)
            SetFileAttributesA(test::HostsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    AppliedFault(const AppliedFault&) = delete;
    AppliedFault& operator=(const AppliedFault&) = delete;

    const std::string& error() const { return error_; }

private:
    UniqueHandle holder_;
    std::unique_ptr<test::ImmutableFile> immutable_;
    bool readOnly_ = false;
    std::string error_;
};

TEST(HostsFileFaults, LockedOrProtectedHostsFileStaysAsItWas)
{
    const struct {
        const char* name;
        Fault fault;
        bool temporaryFileKept;  // the edit was complete but could not be put in place
    } kFaults[] = {
        {"HeldWithoutWriteSharing", Fault::kHeldWithoutWriteSharing, true},
        {"HeldWithoutAnySharing", Fault::kHeldWithoutSharing, false},
        {"Immutable", Fault::kImmutable, true},
        {"ReadOnlyAttribute", Fault::kReadOnlyAttribute, true},
    };
    test::SavedHostsFile saved;
    std::string skipped;
    for (const auto& fault : kFaults) {
        for (const EditingExport& edit : kEditingExports) {
            SCOPED_TRACE(std::string(fault.name) + " / " + edit.name);
            test::RemoveLeftovers();
            test::SetHostsText(kBefore);
            int result = -1;
            {
                AppliedFault applied(fault.fault);
                if (!applied.error().empty()) {
                    skipped += std::string(fault.name) + ": " + applied.error() + "\n";
                    break;
                }
                result = edit.call("server");
            }
            EXPECT_EQ(result, 0);
            test::ExpectWholeAndReported(edit, result, kBefore);
            EXPECT_EQ(test::FileExists(test::TempHostsPath()), fault.temporaryFileKept);
            EXPECT_EQ(test::SideFilesIn(test::HostsFolder()), std::vector<std::string>{});
        }
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped;
}

TEST(HostsFileFaults, ReadErrorInTheHostsFileChangesNothing)
{
    test::SavedHostsFile saved;
    const std::string unixHosts = test::UnixPathOf(test::HostsPath());
    for (const EditingExport& edit : kEditingExports) {
        SCOPED_TRACE(edit.name);
        test::SetHostsText(std::nullopt);
        // Opens like a file; reading it fails at once with EIO.
        if (unixHosts.empty() ||
            test::RunUnixCommand("ln -sf /proc/self/mem " + test::ShellQuoted(unixHosts)) != 0)
            GTEST_SKIP() << "cannot make a hosts file that fails to read (needs Wine and /proc)";

        EXPECT_EQ(edit.call("server"), 0);

        EXPECT_EQ(test::RunUnixCommand("test -L " + test::ShellQuoted(unixHosts)), 0)
            << "the hosts file was replaced";
        EXPECT_FALSE(test::FileExists(test::TempHostsPath()));
        EXPECT_EQ(test::SideFilesIn(test::HostsFolder()), std::vector<std::string>{});
        // Removed on the Unix side: a Windows call could act on the target.
        test::RunUnixCommand("rm -f " + test::ShellQuoted(unixHosts));
    }
}

}  // namespace
}  // namespace netprep
