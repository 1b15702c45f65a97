// What the ISP tests set up and read back: the phone book the stand-in
// dial-up library reports, the unattended set-up file in the prefix's
// Windows directory, and the phone book entry record.
#pragma once

#include "tests/support/dialogs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace netprep::test {

constexpr const char* kCaption = "Internet Service Provider Properties";
constexpr const char* kRecordPath = "SOFTWARE\\Quillmere\\Internet Netmeld\\PhoneBookEntries\\0000";
constexpr const char* kEntriesPath = "SOFTWARE\\Quillmere\\Internet Netmeld\\PhoneBookEntries";

// The phone book the stand-in RASAPI32.DLL reports while this lives; with
// `error` it answers the enumeration with that error instead.
class DialUpStandIn {
public:
    explicit DialUpStandIn(const std::vector<std::string>& entries, DWORD error = ERROR_SUCCESS);
    ~DialUpStandIn();
    DialUpStandIn(const DialUpStandIn&) = delete;
    DialUpStandIn& operator=(const DialUpStandIn&) = delete;
};

// Names "Entry 01" ... for a phone book of `count` entries.
std::vector<std::string> NumberedEntries(int count);

// NmSetup.ini in the Windows directory, written with `text` (lines of the
// file), and removed again.
class UnattendedFile {
public:
    explicit UnattendedFile(const std::string& text);
    ~UnattendedFile();
    UnattendedFile(const UnattendedFile&) = delete;
    UnattendedFile& operator=(const UnattendedFile&) = delete;

    static std::string Path();
};

// The record as stored: each value's bytes without the terminator, which
// must be there.
struct StoredRecord {
    std::string name;
    std::string domainName;
    std::string netUserName;
    std::string netPassword;  // the stored form
};
// The record, or nothing when the key does not exist. Expects every value
// that exists to be a REG_SZ whose length counts its terminator.
std::optional<StoredRecord> ReadRecord();
// The password restored from the stored form.
std::string RestoredPassword(const StoredRecord& record);

// Removes the record's parent key with everything below it.
void RemovePhoneBookEntries();

// Each test starts and ends without a record or an unattended file, and
// with no owner window stored.
class IspTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A real top-level window of this thread, standing for the script's.
    HWND ScriptWindow();

private:
    HWND window_ = nullptr;
};

// Steps that fill the dialog's three required fields.
std::vector<DialogStep> FillAccount(const std::string& loginName, const std::string& password,
                                    const std::string& confirmation);
// `steps` followed by `more`.
std::vector<DialogStep> Then(std::vector<DialogStep> steps, std::vector<DialogStep> more);

}  // namespace netprep::test
