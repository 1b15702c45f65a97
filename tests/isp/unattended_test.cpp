// ConfigureISP on the unattended path: NmSetup.ini in the Windows directory
// names the entry, so no dialog opens.
#include "frame/frame.h"
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

class UnattendedSetup : public test::IspTest {};

TEST_F(UnattendedSetup, StoresTheFilesAccountWithoutADialog)
{
    // "!" to "n": punctuation, digits and letters.
    std::string password78;
    for (char c = '!'; password78.size() < 78; ++c)
        password78 += c;
    const struct {
        const char* name;
        std::string file;
        const char* entry;
        const char* userName;
        std::string password;
    } cases[] = {
        {"an entry of the phone book",
         "[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=alice\r\nPassword=s3cret\r\n", "Office",
         "alice", "s3cret"},
        {"an entry the phone book does not have",
         "[Netmeld]\r\nPhoneBookEntry=Elsewhere\r\nUsername=bob\r\nPassword=pw\r\n", "Elsewhere",
         "bob", "pw"},
        {"no user name or password",
         "[Netmeld]\r\nPhoneBookEntry=Office\r\n", "Office", "", ""},
        {"a password of 78 characters",
         "[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=carol\r\nPassword=" + password78 + "\r\n",
         "Office", "carol", password78},
    };
    DialUpStandIn standIn({"Office", "Home"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemovePhoneBookEntries();
        UnattendedFile file(c.file);
        DialogDriver driver(IDC_ENTRY_LIST, {});

        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_FALSE(driver.sawDialog());
        EXPECT_TRUE(driver.boxes().empty());
        EXPECT_EQ(OwnerWindow(), ScriptWindow());
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->name, c.entry);
        EXPECT_EQ(record->domainName, "");
        EXPECT_EQ(record->netUserName, c.userName);
        EXPECT_EQ(record->netPassword.size(), c.password.size());
        EXPECT_EQ(test::RestoredPassword(*record), c.password);
    }
}

TEST_F(UnattendedSetup, LongValuesAreCutAt78Characters)
{
    DialUpStandIn standIn({"Office"});
    UnattendedFile file("[Netmeld]\r\nPhoneBookEntry=" + std::string(100, 'e') +
                        "\r\nUsername=" + std::string(100, 'u') + "\r\nPassword=" +
                        std::string(100, 'p') + "\r\n");
    EXPECT_EQ(ConfigureISP(nullptr), 1);
    const auto record = ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->name, std::string(78, 'e'));
    EXPECT_EQ(record->netUserName, std::string(78, 'u'));
    EXPECT_EQ(test::RestoredPassword(*record), std::string(78, 'p'));
}

TEST_F(UnattendedSetup, FileWithoutAnEntryNameLeadsToTheDialog)
{
    const struct {
        const char* name;
        const char* file;  // null: no file at all
    } cases[] = {
        {"no file", nullptr},
        {"an empty entry name", "[Netmeld]\r\nPhoneBookEntry=\r\nUsername=alice\r\n"},
        {"no entry name key", "[Netmeld]\r\nUsername=alice\r\nPassword=pw\r\n"},
        {"the entry name in another section", "[Other]\r\nPhoneBookEntry=Office\r\n"},
    };
    DialUpStandIn standIn({"Office"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<UnattendedFile> file;
        if (c.file != nullptr)
            file.emplace(c.file);
        DialogDriver driver(IDC_ENTRY_LIST, {test::Click(IDCANCEL)});
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);
        EXPECT_TRUE(driver.sawDialog());
        EXPECT_FALSE(ReadRecord().has_value());
    }
}

// The stored form holds printable characters other than the space only; a
// password with another character is refused before anything is written.
TEST_F(UnattendedSetup, PasswordTheStoredFormCannotHoldIsRefused)
{
    const struct {
        const char* name;
        const char* password;
    } cases[] = {
        {"a space inside", "pass word"},
        {"a tab inside", "pass\tword"},
        {"an accented letter", "caf\xE9"},
    };
    DialUpStandIn standIn({"Office"});
    {
        UnattendedFile earlier("[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=alice\r\n"
                               "Password=before\r\n");
        ASSERT_EQ(ConfigureISP(nullptr), 1);
    }
    const auto before = ReadRecord();
    ASSERT_TRUE(before.has_value());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UnattendedFile file(std::string("[Netmeld]\r\nPhoneBookEntry=Home\r\nUsername=bob\r\n"
                                        "Password=") +
                            c.password + "\r\n");
        DialogDriver driver(IDC_ENTRY_LIST, {});
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text,
                  "The Internet Service Provider password may contain only printable characters "
                  "and no spaces.");
        EXPECT_EQ(driver.boxes()[0].caption, test::kCaption);
        EXPECT_EQ(driver.boxes()[0].owner, ScriptWindow());
        const auto after = ReadRecord();
        ASSERT_TRUE(after.has_value());
        EXPECT_EQ(after->name, before->name) << "nothing written";
        EXPECT_EQ(after->netUserName, before->netUserName);
        EXPECT_EQ(after->netPassword, before->netPassword);
    }
}

TEST_F(UnattendedSetup, FailedEnumerationStoresNothingAndShowsNothing)
{
    const struct {
        const char* name;
        std::vector<std::string> entries;
        DWORD error;
    } cases[] = {
        {"sixteen entries", test::NumberedEntries(16), ERROR_SUCCESS},
        {"the phone book cannot be opened", {"Office"}, 621},
    };
    UnattendedFile file("[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=alice\r\nPassword=pw\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialUpStandIn standIn(c.entries, c.error);
        DialogDriver driver(IDC_ENTRY_LIST, {});
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);
        EXPECT_FALSE(driver.sawDialog());
        EXPECT_TRUE(driver.boxes().empty());
        EXPECT_FALSE(ReadRecord().has_value());
        EXPECT_EQ(OwnerWindow(), nullptr) << "the window is stored only after the enumeration";
    }
}

}  // namespace
}  // namespace netprep
