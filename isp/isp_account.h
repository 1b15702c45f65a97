// The ISP account that ConfigureISP records: where its fields come from (the
// unattended set-up file or the ISP properties dialog) and the phone book
// entry record it is stored as.
#pragma once

#include "isp/phone_book.h"

#include <windows.h>

namespace netprep {

// The login name, password and domain fields, and the confirmation that the
// dialog reads beside them.
constexpr size_t kAccountFieldSize = 80;
// Every read into a field passes this limit, terminator included, so a field
// holds at most 78 characters and longer text is cut.
constexpr int kAccountFieldReadLimit = 79;
// The stored password is as long as the plain one, so a field of the
// password's size holds every password whole.
constexpr size_t kScrambledPasswordSize = kAccountFieldSize;

constexpr const char* kPhoneBookRecordPath =
    "SOFTWARE\\Quillmere\\Internet Netmeld\\PhoneBookEntries\\0000";

// Looked up by the platform in the Windows directory.
constexpr const char* kUnattendedFileName = "NmSetup.ini";
constexpr const char* kUnattendedSection = "Netmeld";

// Process-wide, empty when the library is loaded and kept until it is
// unloaded; every value a call stores is set by that call.
struct IspAccount {
    // Holds the longest name the platform allows, so "Name" records the
    // whole entry the user chose.
    char entryName[kEntryNameSize];
    char userName[kAccountFieldSize];
    char password[kAccountFieldSize];
    // Empty when the ISP needs no NT domain.
    char domain[kAccountFieldSize];
};
IspAccount& CurrentAccount();

// The ISP properties dialog (template 101). Ends with 1 once the fields
// hold a confirmed account, with 0 when the user cancels.
INT_PTR CALLBACK ISPDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Writes the phone book entry record from the account, with the password in
// its stored form. A registry failure shows message 204; the values written
// before it stay.
void StorePhoneBookRecord(const IspAccount& account, const char* scrambledPassword);

}  // namespace netprep
