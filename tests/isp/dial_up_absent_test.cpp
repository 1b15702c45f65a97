// ConfigureISP and PhoneBookExists where Dial-Up Networking cannot serve:
// built twice, once for a program whose RASAPI32.DLL lacks the entry
// enumeration and once for one where no RASAPI32.DLL loads.
#include "frame/frame.h"
#include "include/netprep.h"
#include "resources/resource.h"
#include "tests/isp/isp_fixture.h"
#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

struct AbsentDialUp {
    int phoneBookExists;
    const char* message;
};
// Each program names its suite for what it meets, so the two sets of
// results stay apart.
#ifdef NETPREP_TEST_WITHOUT_ENUMERATION
#define ABSENT_DIAL_UP_SUITE DialUpWithoutEnumeration
constexpr AbsentDialUp kExpected = {2, "Setup could not find the Dial-Up Networking connections."};
#else
#define ABSENT_DIAL_UP_SUITE DialUpNotInstalled
constexpr AbsentDialUp kExpected = {1, "Dial-Up Networking is not installed."};
#endif

class ABSENT_DIAL_UP_SUITE : public test::IspTest {};

TEST_F(ABSENT_DIAL_UP_SUITE, PhoneBookExistsTellsWhatIsMissingWithoutAMessage)
{
    test::MessageBoxRecorder boxes;
    EXPECT_EQ(PhoneBookExists(), kExpected.phoneBookExists);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(GetModuleHandleA("rasapi32.dll"), nullptr) << "released after the call";
}

// The message comes before the window argument is stored, so it belongs to
// whichever window an earlier call stored. Nothing is read or written, even
// with an unattended file that names an entry.
TEST_F(ABSENT_DIAL_UP_SUITE, ConfigureIspShowsTheMessageAndStoresNothing)
{
    test::UnattendedFile file("[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=alice\r\n");
    HWND earlier = CreateWindowA("STATIC", "earlier", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(earlier, nullptr);

    test::DialogDriver driver(IDC_ENTRY_LIST, {});
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);
    StoreOwnerWindow(earlier);
    EXPECT_EQ(ConfigureISP(ScriptWindow()), 0);

    EXPECT_FALSE(driver.sawDialog());
    ASSERT_EQ(driver.boxes().size(), 2u);
    for (const test::DrivenBox& box : driver.boxes()) {
        EXPECT_EQ(box.text, kExpected.message);
        EXPECT_EQ(box.caption, test::kCaption);
    }
    EXPECT_EQ(driver.boxes()[0].owner, nullptr) << "no window stored yet";
    EXPECT_EQ(driver.boxes()[1].owner, earlier);
    EXPECT_EQ(OwnerWindow(), earlier) << "the new window is not stored";
    EXPECT_FALSE(test::ReadRecord().has_value());
    EXPECT_EQ(GetModuleHandleA("rasapi32.dll"), nullptr);
    DestroyWindow(earlier);
}

}  // namespace
}  // namespace netprep
