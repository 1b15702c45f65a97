// Wine's own RASAPI32.DLL: Dial-Up Networking is there, with no entries.
#include "include/netprep.h"
#include "resources/resource.h"
#include "tests/isp/isp_fixture.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

class EmptyPhoneBook : public test::IspTest {};

TEST_F(EmptyPhoneBook, NoEntryExists)
{
    EXPECT_EQ(PhoneBookExists(), 3);
}

TEST_F(EmptyPhoneBook, DialogListsNothingAndStoresAnEmptyName)
{
    LRESULT count = -2;
    LRESULT selected = -2;
    test::DialogDriver driver(
        IDC_ENTRY_LIST,
        test::Then({[&](HWND dialog) {
                       count = SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETCOUNT, 0, 0);
                       selected = SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETCURSEL, 0, 0);
                   }},
                   test::Then(test::FillAccount("alice", "pw", "pw"), {test::Click(IDOK)})));
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(selected, CB_ERR);
    const auto record = test::ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->name, "");
    EXPECT_EQ(record->netUserName, "alice");
}

}  // namespace
}  // namespace netprep
