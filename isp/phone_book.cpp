#include "isp/phone_book.h"

#include "frame/handles.h"
#include "include/netprep.h"

namespace netprep {

namespace {

using EnumEntriesFunction = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phoneBook,
                                           EntryNameRecord* entries, LPDWORD cbEntries,
                                           LPDWORD entryCount);

// Process-wide: each enumeration refills it, and the ISP properties dialog
// lists it.
union EntryList {
    EntryNameRecord records[kEntryListCapacity];
    BYTE bytes[kEntryListSize];
};
EntryList g_entryList;
DWORD g_entryCount = 0;

}  // namespace

EnumerationResult EnumeratePhoneBookEntries()
{
    UniqueLibrary library(LoadLibraryA("RASAPI32.DLL"));
    if (!library)
        return EnumerationResult::LibraryMissing;
    auto enumEntries =
        reinterpret_cast<EnumEntriesFunction>(GetProcAddress(library.get(), "RasEnumEntriesA"));
    if (enumEntries == nullptr)
        return EnumerationResult::FunctionMissing;

    // The count starts at 0 so that a library which reports success without
    // writing it cannot leave the previous call's count behind.
    g_entryCount = 0;
    g_entryList.records[0].cbSize = sizeof(EntryNameRecord);
    DWORD cbEntries = kEntryListSize;
    const DWORD result =
        enumEntries(nullptr, nullptr, g_entryList.records, &cbEntries, &g_entryCount);
    return result == ERROR_SUCCESS ? EnumerationResult::Enumerated : EnumerationResult::Failed;
}

DWORD EntryCount() { return g_entryCount < kEntryListCapacity ? g_entryCount : kEntryListCapacity; }

bool CopyEntryName(DWORD index, char* name)
{
    if (index >= EntryCount())
        return false;
    // Bounded by the record's field, so a name the library left unterminated
    // is cut at 256 characters rather than read past.
    lstrcpynA(name, g_entryList.records[index].name, kEntryNameSize);
    return true;
}

}  // namespace netprep

// 0 when Dial-Up Networking has at least one entry; 1 without Dial-Up
// Networking, 2 without its entry enumeration, 3 when the enumeration fails
// or finds no entry (also with 16 entries or more). Shows nothing.
int NETPREP_API PhoneBookExists(void)
{
    switch (netprep::EnumeratePhoneBookEntries()) {
    case netprep::EnumerationResult::LibraryMissing:
        return 1;
    case netprep::EnumerationResult::FunctionMissing:
        return 2;
    case netprep::EnumerationResult::Failed:
        return 3;
    case netprep::EnumerationResult::Enumerated:
        break;
    }
    return netprep::EntryCount() > 0 ? 0 : 3;
}
