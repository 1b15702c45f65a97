// Two ways to observe the library's message boxes.
//
// MessageBoxRecorder replaces a module's import of USER32!MessageBoxA, so a
// test sees the exact arguments (owner, text, caption, style) and no window
// opens; each recorded box answers IDOK.
//
// BoxWatcher lets the real box open and watches it through a WH_CBT hook on
// the calling thread: it records caption, text, owner and extended style of
// every message box, pressing OK as it activates.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace netprep::test {

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

// Replaces the import `function` of `dll` in `module` by `replacement` and
// returns the former target, or null when the module does not import it.
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

class MessageBoxRecorder {
public:
    // `module` is the one whose import is replaced: the test program itself
    // (null) or a loaded netprep.dll.
    explicit MessageBoxRecorder(HMODULE module = nullptr);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    std::vector<std::string> texts() const;
    // Called for every box as it is recorded (for example to act on a dialog
    // that stays open behind the box).
    void OnBox(std::function<void(const RecordedBox&)> callback) { onBox_ = std::move(callback); }

private:
    static int WINAPI Record(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

    HMODULE module_;
    void* original_ = nullptr;
    std::vector<RecordedBox> boxes_;
    std::function<void(const RecordedBox&)> onBox_;
};

struct WatchedBox {
    HWND owner;
    std::string text;
    std::string caption;
    LONG exStyle;
};

class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    const std::vector<WatchedBox>& boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_ = nullptr;
    std::vector<WatchedBox> boxes_;
};

// The window's text, up to 1023 characters.
std::string WindowText(HWND window);

}  // namespace netprep::test
