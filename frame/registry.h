// Keys under HKEY_LOCAL_MACHINE, addressed by an ANSI path. Every open asks
// for read and write access, so a key the user may only read fails to open,
// and callers treat that like a missing key.
#pragma once

#include <windows.h>

namespace netprep {

// KEY_READ | KEY_WRITE (0x2001F).
constexpr REGSAM kSetupKeyAccess = KEY_READ | KEY_WRITE;
// A joined path (path, "\", subpath) holds at most 255 characters.
constexpr size_t kKeyPathSize = 256;
// Subkey names from enumeration hold at most 63 characters.
constexpr DWORD kSubkeyNameSize = 64;
// Result of the two enumeration helpers when the key cannot be opened or,
// for OpenSubkeyByIndex, when there is no subkey at the index.
constexpr LONG kEnumFailed = -1;

// Opens path, or path + "\" + subpath when subpath is not null. Returns the
// registry code of the open; on 0 *key is open and the caller closes it, on
// any other result *key is null. A null path gives ERROR_INVALID_PARAMETER and
// a joined path longer than 255 characters ERROR_FILENAME_EXCED_RANGE; in
// both cases nothing is opened.
LONG OpenSetupKey(HKEY* key, const char* path, const char* subpath);

// Opens subkey number `index` of path[\subpath]. Returns -1 when the parent
// cannot be opened or has no subkey at the index (the output handle and name
// are then untouched), otherwise the code of opening the subkey. On 0, *key
// is open for the caller and `name`, when not null (64 bytes at least),
// receives the subkey's name.
LONG OpenSubkeyByIndex(HKEY* key, const char* path, const char* subpath, DWORD index,
                       char* name);

// Reads the name of value number `index` of path[\subpath] into `name`.
// *cchName is the buffer's capacity in characters, terminator included, on
// entry and the name's length on return. Returns -1 when the key cannot be
// opened, otherwise the enumeration's code (ERROR_NO_MORE_ITEMS past the last
// value, ERROR_MORE_DATA when the name does not fit).
LONG EnumValueNameByIndex(const char* path, const char* subpath, char* name, DWORD* cchName,
                          DWORD index);

// Reads a value's data, of any type, as raw bytes. *cbData is the capacity on
// entry and the byte count stored on return (a string's terminator
// included). On a non-zero result the buffer is not to be used.
LONG QueryKeyValue(HKEY key, const char* valueName, void* data, DWORD* cbData);

}  // namespace netprep
