// The version file's first line and its comparison with the installed
// version recorded under the set-up key.
#include "frame/handles.h"
#include "frame/registry.h"
#include "include/netprep.h"
#include "version/version_compare.h"

#include <share.h>

#include <cstdio>
#include <cstring>

namespace netprep {

namespace {

constexpr const char* kSetupKeyPath = "SOFTWARE\\Quillmere\\Setup";
// The version file's first line: at most 511 characters and a zero byte.
constexpr int kVersionLineSize = 512;
// The installed-version value's data.
constexpr DWORD kInstalledVersionSize = 512;

// Reads the first line of the version file, LF included when it fits, into
// `line` (kVersionLineSize bytes). False when the file cannot be opened or
// holds not a single character; `line` is then not to be used.
bool ReadVersionFile(const char* path, char* line)
{
    // Shared reading, so a version file that another program holds open,
    // even for writing, still reads. Text mode: CR LF reads as LF and 0x1A
    // ends the file.
    UniqueStream file(_fsopen(path, "rt", _SH_DENYNO));
    if (!file)
        return false;
    return fgets(line, kVersionLineSize, file.get()) != nullptr;
}

}  // namespace

}  // namespace netprep

// 1: the version string (the first line without its line end) has been
// copied into `destination`, at most 512 bytes with its zero byte. 0: the
// file cannot be opened or holds no character, or an argument is null;
// `destination` is then left as it was.
int NETPREP_API GetVersionFromVersionFile(char* destination, const char* versionFilePath)
{
    if (destination == nullptr || versionFilePath == nullptr)
        return 0;
    char line[netprep::kVersionLineSize];
    if (!netprep::ReadVersionFile(versionFilePath, line))
        return 0;
    const size_t cchVersion = netprep::VersionStringLength(line);
    memcpy(destination, line, cchVersion);
    destination[cchVersion] = '\0';
    return 1;
}

// 1: the installed version (value `valueName` of the set-up key; null or ""
// for the unnamed value) sorts after the version file's. 0: it does not, or
// the key, the value or the version file cannot be read, or the path is
// null. The version file is only opened once an installed version is found.
int NETPREP_API NewerVersionInstalled(const char* valueName, const char* versionFilePath)
{
    if (versionFilePath == nullptr)
        return 0;

    char installed[netprep::kInstalledVersionSize];
    DWORD cbInstalled = sizeof installed;
    {
        netprep::UniqueKey key;
        if (netprep::OpenSetupKey(key.put(), netprep::kSetupKeyPath, nullptr) != ERROR_SUCCESS)
            return 0;
        if (netprep::QueryKeyValue(key.get(), valueName, installed, &cbInstalled) != ERROR_SUCCESS)
            cbInstalled = 0;
    }
    const size_t cchInstalled = netprep::InstalledVersionLength(installed, cbInstalled);
    if (cchInstalled == 0)
        return 0;

    char line[netprep::kVersionLineSize];
    if (!netprep::ReadVersionFile(versionFilePath, line))
        return 0;
    return netprep::InstalledVersionIsNewer(installed, cchInstalled, line,
                                            netprep::VersionStringLength(line))
               ? 1
               : 0;
}
