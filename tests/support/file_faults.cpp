#include "tests/support/file_faults.h"

#include "tests/support/files.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace netprep::test {

namespace {

constexpr DWORD kCommandTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 5;

}  // namespace

std::string UnixPathOf(const std::string& windowsPath)
{
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<UnixFileName>(
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "wine_get_unix_file_name"));
    if (toUnix == nullptr)
        return {};
    std::vector<WCHAR> wide(windowsPath.size() + 1);
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                        static_cast<int>(wide.size()));
    char* unixPath = toUnix(wide.data());
    if (unixPath == nullptr)
        return {};
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int RunUnixCommand(const std::string& command)
{
    static int s_serial = 0;
    const std::string folder = ProgramDirectory() + "\\scratch";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string marker = folder + "\\unix-command-" + std::to_string(GetCurrentProcessId()) +
                               "-" + std::to_string(++s_serial);
    RemoveFile(marker);
    const std::string unixFolder = UnixPathOf(folder);
    if (unixFolder.empty())
        return -1;
    const std::string unixMarker = unixFolder + "/" + marker.substr(folder.size() + 1);

    // The status goes to a side name first and is renamed in, so the
    // marker is never seen half written.
    std::string line = "/bin/sh -c \"(" + command + ") </dev/null >/dev/null 2>&1; echo $? > " +
                       ShellQuoted(unixMarker + ".new") + " && mv " +
                       ShellQuoted(unixMarker + ".new") + " " + ShellQuoted(unixMarker) + "\"";
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);

    const DWORD start = GetTickCount();
    while (!FileExists(marker)) {
        if (GetTickCount() - start > kCommandTimeoutMs)
            return -1;
        Sleep(kPollIntervalMs);
    }
    const std::string status = ReadFileBytes(marker);
    RemoveFile(marker);
    return status.empty() ? -1 : atoi(status.c_str());
}

ImmutableFile::ImmutableFile(const std::string& windowsPath) : unixPath_(UnixPathOf(windowsPath))
{
    if (unixPath_.empty()) {
        error_ = "no Unix path for " + windowsPath + " (not running under Wine?)";
        return;
    }
    const int status = RunUnixCommand("chattr +i " + ShellQuoted(unixPath_));
    ok_ = status == 0;
    if (!ok_)
        error_ = "chattr +i " + unixPath_ + " gave " + std::to_string(status) +
                 " (needs root and a file system with the immutable flag)";
}

ImmutableFile::~ImmutableFile()
{
    if (ok_)
        RunUnixCommand("chattr -i " + ShellQuoted(unixPath_));
}

SmallFileSystem::SmallFileSystem(const std::string& windowsFolder, int kilobytes)
    : unixPath_(UnixPathOf(windowsFolder))
{
    if (unixPath_.empty()) {
        error_ = "no Unix path for " + windowsFolder + " (not running under Wine?)";
        return;
    }
    const int status = RunUnixCommand("mount -t tmpfs -o size=" + std::to_string(kilobytes) +
                                      "k netprep-test " + ShellQuoted(unixPath_));
    ok_ = status == 0;
    if (!ok_)
        error_ = "mount -t tmpfs over " + unixPath_ + " gave " + std::to_string(status) +
                 " (needs root, or CAP_SYS_ADMIN)";
}

SmallFileSystem::~SmallFileSystem()
{
    if (ok_)
        RunUnixCommand("umount " + ShellQuoted(unixPath_) + " || umount -l " +
                       ShellQuoted(unixPath_));
}

}  // namespace netprep::test
