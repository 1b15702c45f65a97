#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

namespace netprep::test {

namespace {
MessageBoxRecorder* g_recorder = nullptr;
BoxWatcher* g_watcher = nullptr;

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
}  // namespace

void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement)
{
    if (module == nullptr)
        module = GetModuleHandleA(nullptr);
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         desc->Name != 0; ++desc) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + desc->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char*>(byName->Name), function) != 0)
                continue;
            DWORD oldProtect = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &oldProtect);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, oldProtect, &oldProtect);
            return original;
        }
    }
    return nullptr;
}

MessageBoxRecorder::MessageBoxRecorder(HMODULE module) : module_(module)
{
    g_recorder = this;
    original_ = PatchImport(module_, "USER32.dll", "MessageBoxA", reinterpret_cast<void*>(&Record));
    EXPECT_NE(original_, nullptr) << "the module does not import MessageBoxA";
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    if (original_ != nullptr)
        PatchImport(module_, "USER32.dll", "MessageBoxA", original_);
    g_recorder = nullptr;
}

std::vector<std::string> MessageBoxRecorder::texts() const
{
    std::vector<std::string> result;
    for (const RecordedBox& box : boxes_)
        result.push_back(box.text);
    return result;
}

int WINAPI MessageBoxRecorder::Record(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    RecordedBox box{owner, text ? text : "", caption ? caption : "", style};
    g_recorder->boxes_.push_back(box);
    if (g_recorder->onBox_)
        g_recorder->onBox_(box);
    return IDOK;
}

BoxWatcher::BoxWatcher()
{
    g_watcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook_, nullptr);
}

BoxWatcher::~BoxWatcher()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    g_watcher = nullptr;
}

LRESULT CALLBACK BoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (g_watcher != nullptr && (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND)) {
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        HWND text = GetDlgItem(window, kMessageBoxTextId);
        if (strcmp(className, "#32770") == 0 && text != nullptr) {
            // Wine fills the text after activation; read the box as it closes.
            if (code == HCBT_ACTIVATE)
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            else
                g_watcher->boxes_.push_back({GetWindow(window, GW_OWNER), WindowText(text),
                                             WindowText(window),
                                             GetWindowLongA(window, GWL_EXSTYLE)});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace netprep::test
