// The ISP properties dialog, driven as a user would drive it: the stand-in
// phone book fills its list, each test types, ticks, clicks and presses
// keys, and reads and dismisses every error box.
#include "frame/frame.h"
#include "include/netprep.h"
#include "resources/resource.h"
#include "tests/isp/isp_fixture.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

using test::Click;
using test::DialogDriver;
using test::DialogStep;
using test::DialUpStandIn;
using test::FillAccount;
using test::ReadRecord;
using test::Then;
using test::TypeText;

class IspDialog : public test::IspTest {};

std::vector<std::string> ListItems(HWND dialog)
{
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[300] = {};
        EXPECT_LT(SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETLBTEXTLEN, i, 0), 300);
        SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

DialogStep ExpectDomainFieldEnabled(bool enabled)
{
    return [enabled](HWND dialog) {
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDC_DOMAIN_NAME)) != FALSE, enabled);
    };
}

DialogStep SelectItem(int index)
{
    // As a pick from the list: the selection changes and the dialog is told.
    return [index](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ENTRY_LIST)));
    };
}

TEST_F(IspDialog, OpensWithTheSortedListAndTheDomainOff)
{
    DialUpStandIn standIn({"Work", "Home", "Backup line"});
    std::vector<std::string> items;
    LRESULT selected = -2;
    bool domainEnabled = true;
    LRESULT checked = -2;
    DialogDriver driver(IDC_ENTRY_LIST, {[&](HWND dialog) {
                                             items = ListItems(dialog);
                                             selected = SendDlgItemMessageA(
                                                 dialog, IDC_ENTRY_LIST, CB_GETCURSEL, 0, 0);
                                             domainEnabled = IsWindowEnabled(
                                                 GetDlgItem(dialog, IDC_DOMAIN_NAME));
                                             checked = IsDlgButtonChecked(dialog,
                                                                          IDC_REQUIRES_DOMAIN);
                                         },
                                         Click(IDCANCEL)});
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);
    EXPECT_EQ(items, (std::vector<std::string>{"Backup line", "Home", "Work"}));
    EXPECT_EQ(selected, 0);
    EXPECT_FALSE(domainEnabled);
    EXPECT_EQ(checked, BST_UNCHECKED);
}

TEST_F(IspDialog, StoresTheSelectedEntryAndTheTypedAccount)
{
    const struct {
        const char* name;
        std::vector<DialogStep> choice;
        const char* entry;
    } cases[] = {
        {"the first in sorted order", {}, "Backup line"},
        {"the entry the user picks", {SelectItem(2)}, "Work"},
    };
    DialUpStandIn standIn({"Work", "Home", "Backup line"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemovePhoneBookEntries();
        DialogDriver driver(IDC_ENTRY_LIST,
                            Then(Then(c.choice, FillAccount("alice", "Secret-1", "Secret-1")),
                                 {Click(IDOK)}));
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_TRUE(driver.boxes().empty());
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->name, c.entry);
        EXPECT_EQ(record->domainName, "");
        EXPECT_EQ(record->netUserName, "alice");
        EXPECT_EQ(test::RestoredPassword(*record), "Secret-1");
    }
}

// Each OK checks the fields in order and stops at the first fault; the
// box belongs to the script's window, and the dialog stays open behind it.
TEST_F(IspDialog, OkNamesTheFirstMissingOrMismatchedField)
{
    DialUpStandIn standIn({"Office"});
    DialogDriver driver(IDC_ENTRY_LIST,
                        {
                            Click(IDOK),                                   // 1: all empty
                            TypeText(IDC_LOGIN_NAME, "alice"), Click(IDOK),  // 3
                            TypeText(IDC_PASSWORD, "Secret"), Click(IDOK),   // 5
                            TypeText(IDC_CONFIRM_PASSWORD, "secret"), Click(IDOK),  // 7: case
                            TypeText(IDC_CONFIRM_PASSWORD, "Other"), Click(IDOK),   // 9
                            TypeText(IDC_CONFIRM_PASSWORD, "Secret"), Click(IDOK),  // 11: accepted
                        });
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
    EXPECT_EQ(driver.stepsTaken(), 11u);

    const struct {
        size_t step;
        const char* text;
    } expected[] = {
        {1, "The Internet Service Provider login name is required."},
        {3, "The Internet Service Provider password is required."},
        {5, "The Internet Service Provider password confirmation is required."},
        {7, "The supplied passwords do not match."},
        {9, "The supplied passwords do not match."},
    };
    ASSERT_EQ(driver.boxes().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(driver.boxes()[i].step, expected[i].step);
        EXPECT_EQ(driver.boxes()[i].text, expected[i].text);
        EXPECT_EQ(driver.boxes()[i].caption, test::kCaption);
        EXPECT_EQ(driver.boxes()[i].owner, ScriptWindow()) << "owned by the script's window";
    }
    const auto record = ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(test::RestoredPassword(*record), "Secret");
}

// A password the stored form cannot hold is refused after the other checks,
// and the user may correct it.
TEST_F(IspDialog, OkRefusesAPasswordTheStoredFormCannotHold)
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemovePhoneBookEntries();
        DialogDriver driver(IDC_ENTRY_LIST,
                            Then(FillAccount("alice", c.password, "different"),
                                 {Click(IDOK),                                    // 4
                                  TypeText(IDC_CONFIRM_PASSWORD, c.password), Click(IDOK),  // 6
                                  TypeText(IDC_PASSWORD, "fixed"),
                                  TypeText(IDC_CONFIRM_PASSWORD, "fixed"), Click(IDOK)}));
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_EQ(driver.stepsTaken(), 9u);
        ASSERT_EQ(driver.boxes().size(), 2u);
        EXPECT_EQ(driver.boxes()[0].text, "The supplied passwords do not match.");
        EXPECT_EQ(driver.boxes()[1].step, 6u);
        EXPECT_EQ(driver.boxes()[1].text,
                  "The Internet Service Provider password may contain only printable characters "
                  "and no spaces.");
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(test::RestoredPassword(*record), "fixed");
    }
}

TEST_F(IspDialog, DomainIsEnabledWhileTickedAndStoredOnlyWhenTicked)
{
    const struct {
        const char* name;
        std::vector<DialogStep> steps;
        const char* domain;
    } cases[] = {
        {"ticked with a domain",
         {Click(IDC_REQUIRES_DOMAIN), ExpectDomainFieldEnabled(true),
          TypeText(IDC_DOMAIN_NAME, "CORP")},
         "CORP"},
        {"ticked with the field empty",
         {Click(IDC_REQUIRES_DOMAIN), ExpectDomainFieldEnabled(true)}, ""},
        {"typed, then the box cleared",
         {Click(IDC_REQUIRES_DOMAIN), TypeText(IDC_DOMAIN_NAME, "CORP"),
          Click(IDC_REQUIRES_DOMAIN), ExpectDomainFieldEnabled(false)},
         ""},
        {"cleared, then ticked again",
         {Click(IDC_REQUIRES_DOMAIN), TypeText(IDC_DOMAIN_NAME, "CORP"),
          Click(IDC_REQUIRES_DOMAIN), Click(IDC_REQUIRES_DOMAIN), ExpectDomainFieldEnabled(true)},
         "CORP"},
    };
    DialUpStandIn standIn({"Office"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemovePhoneBookEntries();
        DialogDriver driver(IDC_ENTRY_LIST,
                            Then(Then({ExpectDomainFieldEnabled(false)}, c.steps),
                                 Then(FillAccount("alice", "pw", "pw"), {Click(IDOK)})));
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        EXPECT_TRUE(driver.boxes().empty()) << "an empty domain needs no message";
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->domainName, c.domain);
    }
}

TEST_F(IspDialog, EndsAsTheUserEndsIt)
{
    const struct {
        const char* name;
        DialogStep end;
        int result;
    } cases[] = {
        {"Cancel", Click(IDCANCEL), 0},
        {"Escape", test::PressKey(VK_ESCAPE), 0},
        {"the close box", test::ClickCloseBox(), 0},
        {"OK", Click(IDOK), 1},
        {"Enter", test::PressKey(VK_RETURN), 1},
    };
    DialUpStandIn standIn({"Office"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemovePhoneBookEntries();
        test::SetStringValue(test::kRecordPath, "Name", "Earlier");
        DialogDriver driver(IDC_ENTRY_LIST, Then(FillAccount("alice", "pw", "pw"), {c.end}));
        EXPECT_EQ(ConfigureISP(ScriptWindow()), c.result);
        EXPECT_EQ(driver.stepsTaken(), 4u);
        EXPECT_TRUE(driver.boxes().empty());
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        if (c.result == 0) {
            EXPECT_EQ(record->name, "Earlier");
            EXPECT_FALSE(test::ValueExists(test::kRecordPath, "NetUserName")) << "untouched";
        } else {
            EXPECT_EQ(record->name, "Office");
            EXPECT_EQ(record->netUserName, "alice");
        }
    }
}

// The platform allows entry names of 256 characters, and the list shows
// them whole; "Name" records the whole name too.
TEST_F(IspDialog, LongEntryNamesAreStoredWhole)
{
    for (size_t length : {79u, 80u, 256u}) {
        SCOPED_TRACE(length);
        test::RemovePhoneBookEntries();
        std::string longName(length, 'L');
        longName.back() = 'z';
        DialUpStandIn standIn({"Short", longName});
        DialogDriver driver(IDC_ENTRY_LIST,
                            Then(FillAccount("alice", "pw", "pw"), {Click(IDOK)}));
        EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
        const auto record = ReadRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->name, longName);
        // The fields beside it are intact.
        EXPECT_EQ(record->netUserName, "alice");
        EXPECT_EQ(test::RestoredPassword(*record), "pw");
    }
}

TEST_F(IspDialog, PasswordOf78CharactersIsStoredWhole)
{
    DialUpStandIn standIn({"Office"});
    std::string password;
    for (int i = 0; i < 78; ++i)
        password += static_cast<char>('!' + i);
    DialogDriver driver(IDC_ENTRY_LIST,
                        Then(FillAccount("alice", password, password), {Click(IDOK)}));
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
    const auto record = ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->netPassword.size(), 78u);
    EXPECT_EQ(test::RestoredPassword(*record), password);
}

// The dialog call's failure value is passed on: -1 in general, but 0 for an
// owner window that no longer exists (the platform's rule), which the
// script cannot tell from a cancel. Nothing is stored either way.
TEST_F(IspDialog, DialogThatCannotOpenAnswersThePlatformsFailure)
{
    HWND stale = CreateWindowA("STATIC", "gone", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(stale, nullptr);
    DestroyWindow(stale);
    const HINSTANCE resources = ModuleHandle();
    const struct {
        const char* name;
        HINSTANCE module;
        HWND owner;
        int result;
    } cases[] = {
        {"a module without the template", GetModuleHandleA("kernel32.dll"), ScriptWindow(), -1},
        {"an owner window that no longer exists", resources, stale, 0},
    };
    DialUpStandIn standIn({"Office"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver driver(IDC_ENTRY_LIST, {Click(IDCANCEL)});
        StoreModuleHandle(c.module);
        const int result = ConfigureISP(c.owner);
        StoreModuleHandle(resources);
        EXPECT_EQ(result, c.result);
        EXPECT_FALSE(driver.sawDialog());
        EXPECT_TRUE(driver.boxes().empty());
        EXPECT_FALSE(ReadRecord().has_value());
    }
}

}  // namespace
}  // namespace netprep
