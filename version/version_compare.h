// The version strings and their order. Plain C++ without windows.h, so it
// can also be built natively under sanitizers and fuzzers.
#pragma once

#include <cstddef>

namespace netprep {

// Length of the version string in a version file's first line: up to, not
// including, the first LF or zero byte.
size_t VersionStringLength(const char* line);

// Length of the installed string in registry data of `cbStored` bytes: up to
// the first zero byte, and never beyond the stored bytes, since data stored
// without a terminator (a string written without it, binary data) has none.
size_t InstalledVersionLength(const char* data, size_t cbStored);

// True when `installed` sorts strictly after `version`: byte by byte as
// signed characters (0x80-0xFF before 0x01-0x7F), case counting, and a
// string before every longer string that begins with it. Versions are
// compared as text, never as numbers: "1.9" sorts after "1.10".
bool InstalledVersionIsNewer(const char* installed, size_t cchInstalled, const char* version,
                             size_t cchVersion);

}  // namespace netprep
