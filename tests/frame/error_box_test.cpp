#include "frame/frame.h"
#include "resources/resource.h"
#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

using test::BoxWatcher;
using test::MessageBoxRecorder;

constexpr const char* kCaption = "Internet Service Provider Properties";

class ShowSetupErrorTest : public testing::Test {
protected:
    void TearDown() override
    {
        StoreOwnerWindow(nullptr);
        if (window_ != nullptr)
            DestroyWindow(window_);
    }

    // A real top-level window of this thread, to own the boxes.
    HWND MakeWindow()
    {
        window_ = CreateWindowA("STATIC", "installer", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(window_, nullptr);
        return window_;
    }

    HWND window_ = nullptr;
};

TEST_F(ShowSetupErrorTest, ShowsEveryMessageOfTheTableAsASystemModalStopBox)
{
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {IDS_NO_DIAL_UP, "Dial-Up Networking is not installed."},
        {IDS_NO_ENTRY_ENUMERATION, "Setup could not find the Dial-Up Networking connections."},
        {IDS_CAPTION, "Internet Service Provider Properties"},
        {IDS_REGISTRY_FAILED, "Setup could not access the registry."},
        {IDS_LOGIN_NAME_REQUIRED, "The Internet Service Provider login name is required."},
        {IDS_PASSWORD_REQUIRED, "The Internet Service Provider password is required."},
        {IDS_CONFIRMATION_REQUIRED,
         "The Internet Service Provider password confirmation is required."},
        {IDS_PASSWORDS_DIFFER, "The supplied passwords do not match."},
        {IDS_PASSWORD_NOT_PRINTABLE,
         "The Internet Service Provider password may contain only printable characters and no "
         "spaces."},
    };
    MessageBoxRecorder recorder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const size_t before = recorder.boxes().size();
        ShowSetupError(c.id);
        ASSERT_EQ(recorder.boxes().size(), before + 1);
        const test::RecordedBox& box = recorder.boxes().back();
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caption, kCaption);
        EXPECT_EQ(box.style, static_cast<UINT>(MB_ICONERROR | MB_SYSTEMMODAL));
        EXPECT_EQ(box.style, 0x1010u);
        EXPECT_EQ(box.owner, nullptr) << "no owner before one is stored";
    }
}

TEST_F(ShowSetupErrorTest, ShowsNothingForAnIdWithoutAString)
{
    MessageBoxRecorder recorder;
    for (UINT id : {0u, 200u, 210u, 299u, 0xFFFFu})
        ShowSetupError(id);
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(ShowSetupErrorTest, BoxIsOwnedByTheLastStoredOwnerWindow)
{
    MessageBoxRecorder recorder;
    HWND first = MakeWindow();
    StoreOwnerWindow(first);
    ShowSetupError(IDS_REGISTRY_FAILED);
    // A window that no longer exists is passed on unchanged.
    HWND stale = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x12340));
    StoreOwnerWindow(stale);
    ShowSetupError(IDS_REGISTRY_FAILED);
    ASSERT_EQ(recorder.boxes().size(), 2u);
    EXPECT_EQ(recorder.boxes()[0].owner, first);
    EXPECT_EQ(recorder.boxes()[1].owner, stale);
}

TEST_F(ShowSetupErrorTest, RealBoxShowsCaptionAndTextAboveOtherWindows)
{
    HWND owner = MakeWindow();
    BoxWatcher watcher;
    ShowSetupError(IDS_NO_DIAL_UP);
    StoreOwnerWindow(owner);
    ShowSetupError(IDS_REGISTRY_FAILED);

    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].caption, kCaption);
    EXPECT_EQ(watcher.boxes()[0].text, "Dial-Up Networking is not installed.");
    EXPECT_EQ(watcher.boxes()[0].owner, nullptr);
    EXPECT_EQ(watcher.boxes()[1].text, "Setup could not access the registry.");
    EXPECT_EQ(watcher.boxes()[1].owner, owner);
    for (const test::WatchedBox& box : watcher.boxes())
        EXPECT_TRUE(box.exStyle & WS_EX_TOPMOST) << "a system-modal box stays on top";
}

}  // namespace
}  // namespace netprep
