// The companion exports against real windows of the stand-in companion
// program, which runs in a process of its own as the companion programs do.
#include "include/netprep.h"
#include "tests/companions/companion_program.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace netprep {
namespace {

using test::CompanionOptions;
using test::CompanionProgram;
using test::CompanionWindow;
using Records = std::vector<std::string>;

constexpr CompanionWindow kMailGateway = {"QuillmerePostmeldWndClass", "Postmeld"};
constexpr CompanionWindow kServer = {"AfxFrameOrView42s", "The Nms Application"};
constexpr CompanionWindow kSwitch = {"NMCtlWndClass", ""};
constexpr CompanionWindow kClient = {"AfxFrameOrView42s", "Internet Netmeld Client32"};
constexpr CompanionWindow kTaskbar = {"AfxFrameOrView42s", "The Nms Taskbar"};
constexpr CompanionWindow kControlPanel = {"CabinetWClass", "Control Panel"};
constexpr CompanionWindow kPrinters = {"CabinetWClass", "Printers"};

// Every window the exports look for, and a second folder window that none
// of them names. Indexes are the stand-in's window numbers.
enum Window { MailGateway, Server, Switch, Client, Taskbar, ControlPanel, Printers };
const std::vector<CompanionWindow> kAllWindows = {
    kMailGateway, kServer, kSwitch, kClient, kTaskbar, kControlPanel, kPrinters};

const char* const kCompanionClasses[] = {"QuillmerePostmeldWndClass", "AfxFrameOrView42s",
                                         "NMCtlWndClass", "CabinetWClass"};

std::string TestName() { return testing::UnitTest::GetInstance()->current_test_info()->name(); }

class CompanionTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A window left over, or one of the prefix's own, would answer in
        // place of the stand-in's.
        for (const char* className : kCompanionClasses)
            ASSERT_EQ(FindWindowA(className, nullptr), nullptr) << "stray window " << className;
    }
};

enum class Delivery { None, Sent, Posted };

TEST_F(CompanionTest, EachExportAddressesOnlyItsOwnWindowThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();

    constexpr LONG kReply = 42;
    constexpr DWORD kCloseDelayMs = 300;
    const struct {
        const char* exportName;
        bool takesTitle;
        Window target;
        const char* handled;  // what the target records, or null
        Delivery delivery;
        int whenFound;
        int whenAbsent;
    } cases[] = {
        {"IsRunningIPM95", false, MailGateway, nullptr, Delivery::None, 1, 0},
        {"StopIPM95", false, MailGateway, "close", Delivery::Posted, 1, 0},
        {"IsRunningINM95", false, Server, nullptr, Delivery::None, 1, 0},
        {"StopINM95", false, Server, "close", Delivery::Sent, 1, 0},
        {"StopINMSwitch", false, Switch, "close", Delivery::Sent, 1, 0},
        {"IsINMClientRunningApps", false, Client, "query", Delivery::Sent, kReply, 0},
        {"StopINMClient95", false, Client, "close", Delivery::Sent, 1, 0},
        {"CloseToolTrayIcon", false, Taskbar, "close", Delivery::Sent, 1, 1},
        {"IsControlPanelOpen", true, ControlPanel, nullptr, Delivery::None, 1, 0},
        {"CloseControlPanel", true, ControlPanel, "close", Delivery::Sent, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exportName);
        FARPROC proc = GetProcAddress(dll, c.exportName);
        ASSERT_NE(proc, nullptr);
        auto call = [&] {
            return c.takesTitle
                       ? reinterpret_cast<int(__cdecl*)(const char*)>(proc)("Control Panel")
                       : reinterpret_cast<int(__cdecl*)()>(proc)();
        };

        {
            SCOPED_TRACE("every window open");
            CompanionProgram companion(TestName(), kAllWindows,
                                       {kReply, kCloseDelayMs, /*decline=*/false});
            ASSERT_TRUE(companion.ready());
            EXPECT_EQ(call(), c.whenFound);
            Records expected;
            if (c.handled != nullptr)
                expected.push_back(c.handled + (" " + std::to_string(c.target)));
            if (c.delivery == Delivery::Posted) {
                // Posted: the slow handler has not finished, and the
                // window is still there.
                EXPECT_EQ(companion.Records(), Records{});
                EXPECT_NE(FindWindowA(kAllWindows[c.target].className, nullptr), nullptr);
                EXPECT_EQ(companion.WaitForRecords(1, 5000), expected);
            } else if (c.delivery == Delivery::Sent) {
                // Sent: handled before the export returned.
                EXPECT_EQ(companion.Records(), expected);
            } else {
                EXPECT_EQ(companion.Records(), Records{});
            }
        }
        {
            SCOPED_TRACE("every other window open");
            std::vector<CompanionWindow> others = kAllWindows;
            others.erase(others.begin() + c.target);
            CompanionProgram companion(TestName(), others, {kReply, 0, false});
            ASSERT_TRUE(companion.ready());
            EXPECT_EQ(call(), c.whenAbsent);
            EXPECT_EQ(companion.Records(), Records{}) << "no other window is addressed";
        }
    }
    FreeLibrary(dll);
}

TEST_F(CompanionTest, StopIPM95ReturnsBeforeTheGatewayHasHandledTheRequest)
{
    CompanionProgram companion(TestName(), {kMailGateway}, {0, 1000, false});
    ASSERT_TRUE(companion.ready());

    EXPECT_EQ(StopIPM95(), 1);
    EXPECT_EQ(IsRunningIPM95(), 1) << "still handling WM_CLOSE";
    EXPECT_EQ(companion.Records(), Records{});
    EXPECT_EQ(companion.WaitForRecords(1, 5000), Records{"close 0"});
    EXPECT_TRUE(companion.WaitForExit(5000)) << "the request did arrive and close the window";
    EXPECT_EQ(IsRunningIPM95(), 0);
}

TEST_F(CompanionTest, RunningApplicationsReplyComesBackUnchanged)
{
    const struct {
        const char* name;
        LONG reply;
    } cases[] = {
        {"zero", 0},
        {"two", 2},
        {"minus one", -1},
        {"most negative", INT_MIN},
        {"largest", INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CompanionProgram companion(TestName(), {kClient}, {c.reply, 0, false});
        ASSERT_TRUE(companion.ready());
        EXPECT_EQ(IsINMClientRunningApps(), c.reply);
        EXPECT_EQ(companion.Records(), Records{"query 0"});
    }
}

TEST_F(CompanionTest, StopAnswersOneWhenTheProgramDeclinesToClose)
{
    CompanionProgram companion(TestName(), {kServer, kClient, kSwitch, kControlPanel},
                               {0, 0, /*decline=*/true});
    ASSERT_TRUE(companion.ready());

    EXPECT_EQ(StopINM95(), 1);
    EXPECT_EQ(StopINMClient95(), 1);
    EXPECT_EQ(StopINMSwitch(), 1);
    EXPECT_EQ(CloseControlPanel("Control Panel"), 1);
    EXPECT_EQ(companion.Records(), (Records{"close 0", "close 1", "close 2", "close 3"}));
    EXPECT_EQ(IsRunningINM95(), 1);
    EXPECT_EQ(IsControlPanelOpen("Control Panel"), 1);
}

TEST_F(CompanionTest, OfTwoMatchingWindowsOnlyOneIsAskedToClose)
{
    const struct {
        const char* name;
        std::vector<CompanionWindow> windows;
        int (*stop)();
        int (*probe)();
    } cases[] = {
        {"two server windows", {kServer, kServer}, StopINM95, IsRunningINM95},
        {"two mail gateway windows, posted", {kMailGateway, kMailGateway}, StopIPM95,
         IsRunningIPM95},
        {"two folder windows, null title", {kControlPanel, kPrinters},
         [] { return CloseControlPanel(nullptr); }, [] { return IsControlPanelOpen(nullptr); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CompanionProgram companion(TestName(), c.windows);
        ASSERT_TRUE(companion.ready());

        EXPECT_EQ(c.stop(), 1);
        // Give a posted request, or a stray second one, time to arrive.
        const Records records = companion.WaitForRecords(2, 500);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_TRUE(records[0] == "close 0" || records[0] == "close 1") << records[0];
        EXPECT_EQ(c.probe(), 1) << "the other window stays open";
    }
}

}  // namespace
}  // namespace netprep
