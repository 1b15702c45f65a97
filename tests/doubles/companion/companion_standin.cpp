// Stand-in for the companion programs: a real Windows program that opens
// top-level windows of the classes and titles it is given and answers the
// way the companion programs do, so a test (or the demo) can find them and
// ask them to close across processes.
//
//   companion-standin [--ready EVENT] [--log FILE] [--reply N] [--close-delay MS]
//                     [--decline] --window CLASS TITLE [--window CLASS TITLE ...]
//
//   --ready EVENT     sets the named event once every window exists
//   --log FILE        appends "close <n>" for each WM_CLOSE handled and
//                     "query <n>" for each running-applications query, where
//                     <n> is the window's place on the command line from 0
//   --reply N         the answer to the running-applications query (0x0800),
//                     negative values too; 0 by default
//   --close-delay MS  handles WM_CLOSE this long before recording it, so a
//                     sent request can be told from a posted one
//   --decline         records WM_CLOSE but keeps the window open
//
// The program ends when its last window is destroyed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kRunningAppsQuery = 0x0800;
constexpr int kMaxWindows = 16;

struct Options {
    const char* readyEvent = nullptr;
    const char* logPath = nullptr;
    LONG reply = 0;
    DWORD closeDelay = 0;
    bool decline = false;
    int windowCount = 0;
    const char* classNames[kMaxWindows] = {};
    const char* titles[kMaxWindows] = {};
};

Options g_options;
int g_openWindows = 0;

void Record(const char* what, LONG_PTR index)
{
    if (g_options.logPath == nullptr)
        return;
    char line[64];
    const int cch = snprintf(line, sizeof line, "%s %d\n", what, static_cast<int>(index));
    HANDLE log = CreateFileA(g_options.logPath, FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(cch), &written, nullptr);
    CloseHandle(log);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG_PTR index = GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_CLOSE:
        Sleep(g_options.closeDelay);
        Record("close", index);
        if (!g_options.decline)
            DestroyWindow(window);
        return 0;
    case kRunningAppsQuery:
        Record("query", index);
        return static_cast<LRESULT>(g_options.reply);
    case WM_DESTROY:
        if (--g_openWindows == 0)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool ParseOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (strcmp(arg, "--ready") == 0 && hasValue) {
            g_options.readyEvent = argv[++i];
        } else if (strcmp(arg, "--log") == 0 && hasValue) {
            g_options.logPath = argv[++i];
        } else if (strcmp(arg, "--reply") == 0 && hasValue) {
            g_options.reply = static_cast<LONG>(strtoll(argv[++i], nullptr, 0));
        } else if (strcmp(arg, "--close-delay") == 0 && hasValue) {
            g_options.closeDelay = static_cast<DWORD>(strtoul(argv[++i], nullptr, 0));
        } else if (strcmp(arg, "--decline") == 0) {
            g_options.decline = true;
        } else if (strcmp(arg, "--window") == 0 && i + 2 < argc &&
                   g_options.windowCount < kMaxWindows) {
            g_options.classNames[g_options.windowCount] = argv[++i];
            g_options.titles[g_options.windowCount] = argv[++i];
            ++g_options.windowCount;
        } else {
            return false;
        }
    }
    return g_options.windowCount > 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (!ParseOptions(__argc, __argv))
        return 2;

    for (int i = 0; i < g_options.windowCount; ++i) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = g_options.classNames[i];
        // A class named twice on the command line is registered once.
        if (RegisterClassA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return 3;
        HWND window = CreateWindowA(g_options.classNames[i], g_options.titles[i],
                                    WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    instance, nullptr);
        if (window == nullptr)
            return 3;
        SetWindowLongPtrA(window, GWLP_USERDATA, i);
        ++g_openWindows;
    }

    if (g_options.readyEvent != nullptr) {
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, g_options.readyEvent);
        if (ready != nullptr) {
            SetEvent(ready);
            CloseHandle(ready);
        }
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
