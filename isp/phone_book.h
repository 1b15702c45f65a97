// The Dial-Up Networking entries, enumerated through RASAPI32.DLL, which is
// loaded by name for the span of one enumeration so that netprep loads and
// works on machines without Dial-Up Networking.
#pragma once

#include <windows.h>

#include <cstddef>

namespace netprep {

// The longest entry name the platform allows, with its terminator.
constexpr size_t kEntryNameSize = 256 + 1;

// The entry-name record of Windows 95 and Windows NT 4.0: a size field and
// the name. Later systems still accept this size, and the layout holds no
// pointer, so the 64-bit build uses the same 264 bytes.
struct EntryNameRecord {
    DWORD cbSize;
    char name[kEntryNameSize];
};
static_assert(sizeof(EntryNameRecord) == 264, "the record size the enumeration is offered");

// The enumeration is offered 4096 bytes: room for 15 records, so a phone
// book of 16 or more entries makes it fail with the buffer-too-small error.
constexpr DWORD kEntryListSize = 4096;
constexpr DWORD kEntryListCapacity = kEntryListSize / sizeof(EntryNameRecord);

enum class EnumerationResult {
    Enumerated,       // the entry list holds the phone book's entries
    LibraryMissing,   // RASAPI32.DLL does not load: no Dial-Up Networking
    FunctionMissing,  // the library has no RasEnumEntriesA
    Failed,           // the enumeration answered with an error
};

// Refills the process-wide entry list from the default phone book.
EnumerationResult EnumeratePhoneBookEntries();

// Entries held by the list after the last successful enumeration, never
// more than the list's capacity.
DWORD EntryCount();

// Copies the name of entry `index` into `name` (kEntryNameSize bytes), at
// most 256 characters and a terminator. Returns false for an index past the
// last entry, leaving `name` alone.
bool CopyEntryName(DWORD index, char* name);

}  // namespace netprep
