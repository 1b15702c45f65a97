// Drives a modal dialog that a call opens on the test's own thread, as a
// user would: a thread timer, which runs inside the dialog's modal loop,
// takes one step at a time (type into a field, click, press a key) once the
// dialog is visible, and a WH_CBT hook reads and dismisses with OK every
// message box that opens meanwhile.
//
// The dialog is told from message boxes (both are "#32770" windows, and
// both may carry static controls with id 0xFFFF) by a control id that only
// the dialog has.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace netprep::test {

// One action on the open dialog.
using DialogStep = std::function<void(HWND dialog)>;

// Replaces the text of a field, as typing it would.
DialogStep TypeText(int controlId, std::string text);
// Clicks a button or check box (BM_CLICK: the button notifies its dialog).
DialogStep Click(int controlId);
// Presses a key in the control that has the focus (the dialog's own
// keyboard handling turns Enter and Escape into OK and Cancel).
DialogStep PressKey(UINT virtualKey);
// Clicks the close box of the caption.
DialogStep ClickCloseBox();

// A message box seen while the dialog was driven.
struct DrivenBox {
    std::string text;
    std::string caption;
    HWND owner;
    // How many steps had started when the box opened: the box of step 3 has 3.
    size_t step;
};

class DialogDriver {
public:
    // The end value a dialog is given when it is still open after the last
    // step, so that a faulty test ends instead of waiting forever.
    static constexpr INT_PTR kAbandoned = 0x0BAD;

    DialogDriver(int markerControlId, std::vector<DialogStep> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Whether the dialog ever became visible, and how many steps ran.
    bool sawDialog() const { return sawDialog_; }
    size_t stepsTaken() const { return stepsTaken_; }
    const std::vector<DrivenBox>& boxes() const { return boxes_; }
    std::vector<std::string> boxTexts() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HWND FindDialog() const;
    bool IsDialog(HWND window) const;

    int markerControlId_;
    std::vector<DialogStep> steps_;
    UINT_PTR timer_ = 0;
    HHOOK hook_ = nullptr;
    bool busy_ = false;
    bool sawDialog_ = false;
    size_t stepsTaken_ = 0;
    DWORD idleSince_ = 0;
    std::vector<DrivenBox> boxes_;
};

}  // namespace netprep::test
