#include "tests/support/dialogs.h"

#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

namespace netprep::test {

namespace {

DialogDriver* g_driver = nullptr;

constexpr UINT kTickMilliseconds = 10;
// How long a dialog may stay open after the last step.
constexpr DWORD kIdleLimitMilliseconds = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

bool HasClass(HWND window, const char* className)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return strcmp(name, className) == 0;
}

}  // namespace

DialogStep TypeText(int controlId, std::string text)
{
    return [controlId, text](HWND dialog) {
        EXPECT_TRUE(SetDlgItemTextA(dialog, controlId, text.c_str())) << "control " << controlId;
    };
}

DialogStep Click(int controlId)
{
    return [controlId](HWND dialog) {
        HWND control = GetDlgItem(dialog, controlId);
        ASSERT_NE(control, nullptr) << "control " << controlId;
        SendMessageA(control, BM_CLICK, 0, 0);
    };
}

DialogStep PressKey(UINT virtualKey)
{
    return [virtualKey](HWND dialog) {
        HWND focus = GetFocus();
        if (focus == nullptr || (focus != dialog && !IsChild(dialog, focus)))
            focus = dialog;
        // Posted, so the dialog's own message loop sees it as it sees a key.
        PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
        PostMessageA(focus, WM_KEYUP, virtualKey, 1 | (3u << 30));
    };
}

DialogStep ClickCloseBox()
{
    return [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

DialogDriver::DialogDriver(int markerControlId, std::vector<DialogStep> steps)
    : markerControlId_(markerControlId), steps_(std::move(steps))
{
    g_driver = this;
    hook_ = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook_, nullptr);
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, &Tick);
    EXPECT_NE(timer_, 0u);
}

DialogDriver::~DialogDriver()
{
    if (timer_ != 0)
        KillTimer(nullptr, timer_);
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    g_driver = nullptr;
}

std::vector<std::string> DialogDriver::boxTexts() const
{
    std::vector<std::string> texts;
    for (const DrivenBox& box : boxes_)
        texts.push_back(box.text);
    return texts;
}

bool DialogDriver::IsDialog(HWND window) const
{
    return HasClass(window, "#32770") && GetDlgItem(window, markerControlId_) != nullptr;
}

HWND DialogDriver::FindDialog() const
{
    struct Search {
        const DialogDriver* driver;
        HWND found;
    } search{this, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (s->driver->IsDialog(window) && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    DialogDriver* driver = g_driver;
    // A step that opens a message box runs the box's own loop, in which this
    // timer fires again; the step must finish first.
    if (driver == nullptr || driver->busy_)
        return;
    HWND dialog = driver->FindDialog();
    if (dialog == nullptr)
        return;
    driver->sawDialog_ = true;
    if (driver->stepsTaken_ < driver->steps_.size()) {
        driver->busy_ = true;
        const size_t step = driver->stepsTaken_++;
        driver->steps_[step](dialog);
        driver->busy_ = false;
        driver->idleSince_ = GetTickCount();
        return;
    }
    if (GetTickCount() - driver->idleSince_ > kIdleLimitMilliseconds) {
        ADD_FAILURE() << "the dialog is still open after the last step";
        EndDialog(dialog, kAbandoned);
    }
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    DialogDriver* driver = g_driver;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (driver != nullptr && (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) &&
        HasClass(window, "#32770") && !driver->IsDialog(window)) {
        HWND text = GetDlgItem(window, kMessageBoxTextId);
        if (text != nullptr) {
            // Wine fills the text after activation; the box is read as it
            // closes.
            if (code == HCBT_ACTIVATE)
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            else
                driver->boxes_.push_back({WindowText(text), WindowText(window),
                                          GetWindow(window, GW_OWNER), driver->stepsTaken_});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace netprep::test
