// The hosts file exports. Every edit reads the hosts file line by line into
// the temporary hosts file beside it and puts that in place with
// CopyFileBack; the hosts file itself is never opened for writing.
#include <winsock.h>

#include "frame/handles.h"
#include "frame/registry.h"
#include "hosts/copy_back.h"
#include "hosts/hosts_lines.h"
#include "frame/platform_family.h"
#include "include/netprep.h"

#include <cstdio>
#include <cstring>

namespace netprep {

namespace {

// GetWindowsDirectoryA fills this; a Windows directory within the system's
// path limit plus the longest suffix (34 characters) fits.
constexpr UINT kPathBufferSize = 300;
constexpr const char* kHostsSuffix95 = "\\HOSTS";
constexpr const char* kTempSuffix95 = "\\HOSTSTMP.TMP";
constexpr const char* kHostsSuffixNt = "\\SYSTEM32\\DRIVERS\\ETC\\HOSTS";
constexpr const char* kTempSuffixNt = "\\SYSTEM32\\DRIVERS\\ETC\\HOSTSTMP.TMP";

// The default host name of InsertHostName and RemoveHostName; 511
// characters at most.
constexpr DWORD kHostNameBufferSize = 512;
// RemoveOldHostName's default is the bare computer name, 15 characters at
// most, as older releases formed it.
constexpr DWORD kOldHostNameBufferSize = 16;
// "127.0.0.1", a tab, the name and a line feed fill at most the line buffer.
constexpr size_t kMaxInsertedNameLength = kLineBufferSize - 12;
constexpr const char* kInsertedLineFormat = "127.0.0.1\t%s\n";

// Windows 95 keeps the TCP/IP domain here; the NT family never reads it.
constexpr const char* kTcpipKeyPath = "SYSTEM\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kDomainValueName = "Domain";

struct HostsPaths {
    char hosts[kPathBufferSize];
    char temp[kPathBufferSize];
};

enum class Rewrite {
    kReplaced,      // the hosts file now holds the rewritten lines
    kHostsMissing,  // there is no hosts file; nothing was created
    kFailed,        // the hosts file is as it was
};

bool IsNullOrEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

bool JoinPath(char* joined, const char* folder, const char* suffix)
{
    const int cch = snprintf(joined, kPathBufferSize, "%s%s", folder, suffix);
    return cch > 0 && static_cast<UINT>(cch) < kPathBufferSize;
}

bool FormHostsPaths(HostsPaths* paths)
{
    char windowsDirectory[kPathBufferSize];
    const UINT cch = GetWindowsDirectoryA(windowsDirectory, kPathBufferSize);
    if (cch == 0 || cch >= kPathBufferSize)
        return false;
    const bool windows95 = IsWindows95Family();
    return JoinPath(paths->hosts, windowsDirectory, windows95 ? kHostsSuffix95 : kHostsSuffixNt) &&
           JoinPath(paths->temp, windowsDirectory, windows95 ? kTempSuffix95 : kTempSuffixNt);
}

// Reads the computer name into `name` (`cbName` bytes). False when it
// cannot be read or does not fit.
bool ReadComputerName(char* name, DWORD cbName)
{
    DWORD cchName = cbName;
    if (!GetComputerNameA(name, &cchName) || cchName >= cbName)
        return false;
    name[cchName] = '\0';
    return true;
}

// The computer name, and on Windows 95 "." and the TCP/IP domain after it
// when one is set. False when the computer name cannot be read, and when
// the name would be longer than 511 characters: it is refused rather than
// cut, since a cut name could match other machines' lines.
bool FormDefaultHostName(char* name)
{
    if (!ReadComputerName(name, kHostNameBufferSize))
        return false;
    if (!IsWindows95Family())
        return true;

    UniqueKey key;
    if (OpenSetupKey(key.put(), kTcpipKeyPath, nullptr) != ERROR_SUCCESS)
        return true;
    char domain[kLineBufferSize];
    DWORD cbDomain = sizeof domain;
    const LONG result = QueryKeyValue(key.get(), kDomainValueName, domain, &cbDomain);
    if (result == ERROR_MORE_DATA)
        return false;
    if (result != ERROR_SUCCESS)
        return true;
    // The text ends at its terminator, or at the data's end when it was
    // stored without one.
    const void* terminator = memchr(domain, '\0', cbDomain);
    const size_t cchDomain =
        terminator != nullptr ? static_cast<const char*>(terminator) - domain : cbDomain;
    if (cchDomain == 0)
        return true;
    const size_t cchName = strlen(name);
    if (cchName + 1 + cchDomain >= kHostNameBufferSize)
        return false;
    name[cchName] = '.';
    memcpy(name + cchName + 1, domain, cchDomain);
    name[cchName + 1 + cchDomain] = '\0';
    return true;
}

// Opens the hosts file for CopyHostsLines, which applies the text rules
// itself. *missing tells a hosts file that does not exist from one that
// exists but cannot be read (locked, no access), which must never be taken
// for an empty one.
FILE* OpenHostsFile(const char* path, bool* missing)
{
    FILE* hosts = fopen(path, "rb");
    *missing = hosts == nullptr && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES &&
               GetLastError() == ERROR_FILE_NOT_FOUND;
    return hosts;
}

// Writes the temporary hosts file: `firstLine` when not null, then the
// lines of `hosts` (none when it is null) without the loopback lines that
// mention `dropName`. A temporary hosts file that did not receive every
// byte is deleted, since it is of no use to anyone, and false returned.
bool WriteTemporaryHostsFile(const char* tempPath, FILE* hosts, const char* firstLine,
                             const char* dropName, bool* dropped)
{
    // Binary: CopyHostsLines writes each line feed as CR LF itself.
    UniqueStream temp(fopen(tempPath, "wb"));
    if (!temp)
        return false;
    unsigned long long cbWritten = 0;
    bool complete = CopyHostsLines(hosts, temp.get(), firstLine, dropName, dropped,
                                   &cbWritten) == LineCopyResult::kCopied &&
                    FlushedFileHolds(temp.get(), cbWritten);
    complete = fclose(temp.release()) == 0 && complete;
    if (!complete)
        DeleteFileA(tempPath);
    return complete;
}

// Puts the temporary hosts file in place and deletes it. When the copy-back
// fails the temporary hosts file stays: it is the only copy of the edit.
bool ReplaceHostsFile(const HostsPaths& paths)
{
    if (CopyFileBack(paths.temp, paths.hosts) != 1)
        return false;
    DeleteFileA(paths.temp);
    return true;
}

// The removal pass: every loopback line that mentions `name` is left out.
// The hosts file is rewritten even when no line is, as it always was.
Rewrite RemoveLoopbackLines(const char* name, bool* dropped)
{
    HostsPaths paths;
    if (!FormHostsPaths(&paths))
        return Rewrite::kFailed;
    bool missing = false;
    UniqueStream hosts(OpenHostsFile(paths.hosts, &missing));
    if (!hosts)
        return missing ? Rewrite::kHostsMissing : Rewrite::kFailed;
    if (!WriteTemporaryHostsFile(paths.temp, hosts.get(), nullptr, name, dropped))
        return Rewrite::kFailed;
    hosts.reset();
    return ReplaceHostsFile(paths) ? Rewrite::kReplaced : Rewrite::kFailed;
}

// Puts the loopback line for `name` first and every line of the hosts file
// after it. A missing hosts file is not created beforehand: the copy-back
// creates it with its one line, so a failure leaves no empty file behind.
bool InsertLoopbackLine(const char* name)
{
    char line[kLineBufferSize];
    const int cchLine = snprintf(line, sizeof line, kInsertedLineFormat, name);
    if (cchLine <= 0 || static_cast<size_t>(cchLine) >= sizeof line)
        return false;

    HostsPaths paths;
    if (!FormHostsPaths(&paths))
        return false;
    bool missing = false;
    UniqueStream hosts(OpenHostsFile(paths.hosts, &missing));
    if (!hosts && !missing)
        return false;
    if (!WriteTemporaryHostsFile(paths.temp, hosts.get(), line, nullptr, nullptr))
        return false;
    hosts.reset();
    return ReplaceHostsFile(paths);
}

// A name longer than a line buffer is refused before any file is touched.
int ReportRemoval(const char* name)
{
    if (strlen(name) > kMaxHostNameLength)
        return 0;
    bool dropped = false;
    return RemoveLoopbackLines(name, &dropped) == Rewrite::kReplaced && dropped ? 1 : 0;
}

}  // namespace

}  // namespace netprep

// 1: the hosts file now holds "127.0.0.1<TAB>name" as its first line, after
// the loopback lines that mentioned the name were removed. 0: the hosts
// file is as it was; the name is longer than 500 characters, the default
// name cannot be formed, or the hosts file exists but cannot be read or
// replaced.
int NETPREP_API InsertHostName(const char* hostName)
{
    char defaultName[netprep::kHostNameBufferSize];
    if (netprep::IsNullOrEmpty(hostName)) {
        if (!netprep::FormDefaultHostName(defaultName))
            return 0;
        hostName = defaultName;
    }
    if (strlen(hostName) > netprep::kMaxInsertedNameLength)
        return 0;
    // Two rewrites: the removal pass, then the insertion. When the first
    // fails the second would only fail the same way, or put the new line on
    // top of the old ones.
    bool dropped = false;
    if (netprep::RemoveLoopbackLines(hostName, &dropped) == netprep::Rewrite::kFailed)
        return 0;
    return netprep::InsertLoopbackLine(hostName) ? 1 : 0;
}

// 1: loopback lines that mention the name were removed and the hosts file
// replaced. 0: no line mentioned it (the file is still rewritten), or the
// hosts file is as it was: a name longer than 511 characters, a default
// name that cannot be formed, a hosts file that is missing or cannot be
// read or replaced.
int NETPREP_API RemoveHostName(const char* hostName)
{
    char defaultName[netprep::kHostNameBufferSize];
    if (netprep::IsNullOrEmpty(hostName)) {
        if (!netprep::FormDefaultHostName(defaultName))
            return 0;
        hostName = defaultName;
    }
    return netprep::ReportRemoval(hostName);
}

// As RemoveHostName; the default is the bare computer name, without a
// domain, and a computer name longer than 15 characters gives 0.
int NETPREP_API RemoveOldHostName(const char* hostName)
{
    char computerName[netprep::kOldHostNameBufferSize];
    if (netprep::IsNullOrEmpty(hostName)) {
        if (!netprep::ReadComputerName(computerName, sizeof computerName))
            return 0;
        hostName = computerName;
    }
    return netprep::ReportRemoval(hostName);
}

// 1: the text is not a numeric Internet address; so is "255.255.255.255",
// whose value is the one inet_addr gives for failure, and a null pointer.
// 0: inet_addr converts it.
int NETPREP_API CheckValidHostname(const char* text)
{
    if (text == nullptr)
        return 1;
    return inet_addr(text) == INADDR_NONE ? 1 : 0;
}
