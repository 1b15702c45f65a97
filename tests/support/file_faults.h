// File faults that only the Unix side can make: an immutable file (root
// cannot write, rename or delete it) and a full file system (a small tmpfs
// mounted over a folder). The test program runs under Wine, which starts a
// Unix program given by its Unix path but hands back no process handle, so
// each command reports its exit status through a marker file.
#pragma once

#include <string>

namespace netprep::test {

// The Unix path of a Windows path, through Wine's own mapping; empty when
// not running under Wine.
std::string UnixPathOf(const std::string& windowsPath);

// `text` quoted for /bin/sh.
std::string ShellQuoted(const std::string& text);

// Runs `command` with /bin/sh and returns its exit status; -1 when it could
// not be started or did not finish within ten seconds. The command must
// not contain double quotes; quote its arguments with ShellQuoted.
int RunUnixCommand(const std::string& command);

// `chattr +i` on the file while it lives. ok() is false, with the reason in
// error(), when the attribute could not be set.
class ImmutableFile {
public:
    explicit ImmutableFile(const std::string& windowsPath);
    ~ImmutableFile();
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    std::string unixPath_;
    bool ok_ = false;
    std::string error_;
};

// A tmpfs of `kilobytes` mounted over the folder while it lives: the
// folder's files are hidden and it fills up after that many kilobytes. The
// mount is lazily detached when a plain unmount finds it busy.
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& windowsFolder, int kilobytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    std::string unixPath_;
    bool ok_ = false;
    std::string error_;
};

}  // namespace netprep::test
