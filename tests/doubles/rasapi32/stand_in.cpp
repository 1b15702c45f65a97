// Stand-in for the system's dial-up library: RasEnumEntriesA answers from
// the phone book a test describes (stand_in_config.h), with the argument
// checks and the buffer-too-small answer of the real one. It loads only for
// programs whose load order prefers a native rasapi32.
#include "tests/doubles/rasapi32/stand_in_config.h"

#include <windows.h>

#include <cstring>

namespace {

// The entry-name record of Windows 95 and NT 4.0, the only size accepted.
struct EntryNameRecord {
    DWORD cbSize;
    char name[257];
};
static_assert(sizeof(EntryNameRecord) == 264, "the record layout of Windows 95 and NT 4.0");

constexpr DWORD kErrorBufferTooSmall = 603;
constexpr DWORD kErrorInvalidSize = 632;

// Room for far more entries than any test describes.
char g_names[64 * 1024];

// Reads the configured names into g_names (a list of strings ending with an
// empty one). Returns the configured error, or ERROR_SUCCESS.
DWORD ReadPhoneBook()
{
    memset(g_names, 0, sizeof g_names);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, netprep::test::kDialUpStandInKey, 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    DWORD result = ERROR_SUCCESS;
    DWORD cb = sizeof result;
    if (RegQueryValueExA(key, "Result", nullptr, nullptr, reinterpret_cast<BYTE*>(&result), &cb) !=
        ERROR_SUCCESS)
        result = ERROR_SUCCESS;
    cb = sizeof g_names - 2;
    RegQueryValueExA(key, "Entries", nullptr, nullptr, reinterpret_cast<BYTE*>(g_names), &cb);
    RegCloseKey(key);
    return result;
}

}  // namespace

extern "C" DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR phoneBook,
                                        EntryNameRecord* entries, LPDWORD cbEntries,
                                        LPDWORD entryCount)
{
    if (reserved != nullptr || phoneBook != nullptr || cbEntries == nullptr ||
        entryCount == nullptr)
        return ERROR_INVALID_PARAMETER;
    const DWORD configured = ReadPhoneBook();
    if (configured != ERROR_SUCCESS)
        return configured;
    if (entries == nullptr || entries->cbSize != sizeof(EntryNameRecord))
        return kErrorInvalidSize;

    DWORD count = 0;
    for (const char* name = g_names; *name != '\0'; name += strlen(name) + 1)
        ++count;
    const DWORD cbNeeded = count * sizeof(EntryNameRecord);
    *entryCount = count;
    if (*cbEntries < cbNeeded) {
        *cbEntries = cbNeeded;
        return kErrorBufferTooSmall;
    }
    const char* name = g_names;
    for (DWORD i = 0; i < count; ++i, name += strlen(name) + 1) {
        entries[i].cbSize = sizeof(EntryNameRecord);
        lstrcpynA(entries[i].name, name, sizeof entries[i].name);
    }
    *cbEntries = cbNeeded;
    return ERROR_SUCCESS;
}
