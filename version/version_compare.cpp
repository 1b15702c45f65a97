#include "version/version_compare.h"

namespace netprep {

size_t VersionStringLength(const char* line)
{
    size_t cch = 0;
    while (line[cch] != '\0' && line[cch] != '\n')
        ++cch;
    return cch;
}

size_t InstalledVersionLength(const char* data, size_t cbStored)
{
    size_t cch = 0;
    while (cch < cbStored && data[cch] != '\0')
        ++cch;
    return cch;
}

bool InstalledVersionIsNewer(const char* installed, size_t cchInstalled, const char* version,
                             size_t cchVersion)
{
    // Signed whatever the compiler's plain char is, so bytes 0x80-0xFF sort
    // before ASCII on every build, as installation scripts expect.
    for (size_t i = 0; i < cchInstalled && i < cchVersion; ++i) {
        const signed char installedChar = static_cast<signed char>(installed[i]);
        const signed char versionChar = static_cast<signed char>(version[i]);
        if (installedChar != versionChar)
            return installedChar > versionChar;
    }
    return cchInstalled > cchVersion;
}

}  // namespace netprep
