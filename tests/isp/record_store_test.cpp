// The phone book entry record: what a second call leaves, and what a
// registry that refuses the record leaves.
#include "include/netprep.h"
#include "resources/resource.h"
#include "tests/isp/isp_fixture.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

using test::DialogDriver;
using test::DialUpStandIn;
using test::ReadRecord;
using test::UnattendedFile;

class RecordStore : public test::IspTest {};

TEST_F(RecordStore, SecondCallLeavesOneRecordWithItsOwnValues)
{
    DialUpStandIn standIn({"Work", "Home"});
    test::SetStringValue(test::kRecordPath, "Kept", "another program's value");
    {
        DialogDriver driver(IDC_ENTRY_LIST,
                            test::Then(test::FillAccount("alice", "first-pw", "first-pw"),
                                 {test::Click(IDC_REQUIRES_DOMAIN),
                                  test::TypeText(IDC_DOMAIN_NAME, "CORP"), test::Click(IDOK)}));
        ASSERT_EQ(ConfigureISP(ScriptWindow()), 1);
        ASSERT_EQ(ReadRecord()->domainName, "CORP");
    }
    UnattendedFile file("[Netmeld]\r\nPhoneBookEntry=Work\r\nUsername=bob\r\nPassword=second\r\n");
    ASSERT_EQ(ConfigureISP(ScriptWindow()), 1);

    const auto record = ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->name, "Work");
    EXPECT_EQ(record->domainName, "") << "the unattended path has no domain";
    EXPECT_EQ(record->netUserName, "bob");
    EXPECT_EQ(test::RestoredPassword(*record), "second");
    EXPECT_EQ(test::ReadValueBytes(test::kRecordPath, "Kept"), std::string("another program's value") + '\0');

    HKEY entries = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, test::kEntriesPath, 0, KEY_READ, &entries),
              ERROR_SUCCESS);
    DWORD subkeys = 0;
    RegQueryInfoKeyA(entries, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(entries);
    EXPECT_EQ(subkeys, 1u) << "only 0000";
}

// A real registry failure: the user is told, the account still counts as
// confirmed (the script relies on 1 meaning that), and what was there
// before the failure stays.
TEST_F(RecordStore, RegistryFailureIsReportedAndTheCallStillConfirms)
{
    UnattendedFile file("[Netmeld]\r\nPhoneBookEntry=Home\r\nUsername=bob\r\nPassword=pw\r\n");
    DialUpStandIn standIn({"Home"});

    {
        SCOPED_TRACE("the record's key cannot be created");
        // A key that lasts cannot be created below one that does not.
        HKEY parent = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, test::kEntriesPath, 0, nullptr,
                                  REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parent, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(parent);
        DialogDriver driver(IDC_ENTRY_LIST, {});
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_EQ(driver.boxTexts(),
                  std::vector<std::string>{"Setup could not access the registry."});
        EXPECT_EQ(driver.boxes().at(0).owner, ScriptWindow());
        EXPECT_FALSE(test::KeyExists(test::kRecordPath));
        test::RemovePhoneBookEntries();
    }

    {
        SCOPED_TRACE("the record's key may only be read");
        test::SetStringValue(test::kRecordPath, "Name", "Office");
        test::SetStringValue(test::kRecordPath, "NetUserName", "alice");
        test::ReadOnlyKey readOnly(test::kRecordPath);
        DialogDriver driver(IDC_ENTRY_LIST, {});
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_EQ(driver.boxTexts(),
                  std::vector<std::string>{"Setup could not access the registry."});
        EXPECT_EQ(test::ReadValueBytes(test::kRecordPath, "Name"), std::string("Office") + '\0');
        EXPECT_EQ(test::ReadValueBytes(test::kRecordPath, "NetUserName"),
                  std::string("alice") + '\0');
        EXPECT_FALSE(test::ValueExists(test::kRecordPath, "NetPassword"));
    }
}

}  // namespace
}  // namespace netprep
