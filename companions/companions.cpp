// The companion programs' windows and Explorer folder windows: found by
// class and title, asked to close, or asked whether applications run
// through the client program. Only the first matching window is addressed.
#include "include/netprep.h"

namespace netprep {

namespace {

// The companion programs' application framework gives every main frame
// window this class; their titles tell them apart.
constexpr const char* kFrameClass = "AfxFrameOrView42s";
constexpr const char* kServerTitle = "The Nms Application";
constexpr const char* kClientTitle = "Internet Netmeld Client32";
constexpr const char* kTaskbarTitle = "The Nms Taskbar";
constexpr const char* kMailGatewayClass = "QuillmerePostmeldWndClass";
constexpr const char* kSwitchClass = "NMCtlWndClass";
constexpr const char* kFolderClass = "CabinetWClass";

// Answered by the client program's main window with whether applications
// are running through it.
constexpr UINT kRunningAppsQuery = WM_USER + 0x0400;

int WindowExists(const char* className, const char* title)
{
    return FindWindowA(className, title) != nullptr ? 1 : 0;
}

// Sent, so the window has handled the request when this returns: the
// script goes on only after the program has closed or asked its user.
// There is no time-out for the same reason.
int SendClose(const char* className, const char* title)
{
    HWND window = FindWindowA(className, title);
    if (window == nullptr)
        return 0;
    SendMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}

}  // namespace

}  // namespace netprep

using namespace netprep;

// 1: the mail gateway's window is there; 0: it is not.
int NETPREP_API IsRunningIPM95(void)
{
    return WindowExists(kMailGatewayClass, nullptr);
}

// Posts the mail gateway's close request and returns at once, so the
// gateway may still be running when this returns. 1: its window was found;
// 0: it was not.
int NETPREP_API StopIPM95(void)
{
    HWND window = FindWindowA(kMailGatewayClass, nullptr);
    if (window == nullptr)
        return 0;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}

// 1: the server application's main window is there; 0: it is not.
int NETPREP_API IsRunningINM95(void)
{
    return WindowExists(kFrameClass, kServerTitle);
}

// 1: the server application's window was found and has handled the close
// request (whether or not it closed); 0: it was not found.
int NETPREP_API StopINM95(void)
{
    return SendClose(kFrameClass, kServerTitle);
}

// As StopINM95, for the switch window.
int NETPREP_API StopINMSwitch(void)
{
    return SendClose(kSwitchClass, nullptr);
}

// The client program's reply to the running-applications query, unchanged;
// 0 when its window is not there.
int NETPREP_API IsINMClientRunningApps(void)
{
    HWND window = FindWindowA(kFrameClass, kClientTitle);
    if (window == nullptr)
        return 0;
    // The reply is a 32-bit integer whatever the width of LRESULT.
    return static_cast<int>(SendMessageA(window, kRunningAppsQuery, 0, 0));
}

// As StopINM95, for the client program's window.
int NETPREP_API StopINMClient95(void)
{
    return SendClose(kFrameClass, kClientTitle);
}

// 1: an Explorer folder window with this title is there (any folder window
// when the title is null); 0: none is.
int NETPREP_API IsControlPanelOpen(const char* windowTitle)
{
    return WindowExists(kFolderClass, windowTitle);
}

// As StopINM95, for the first Explorer folder window with this title (any
// folder window when the title is null).
int NETPREP_API CloseControlPanel(const char* windowTitle)
{
    return SendClose(kFolderClass, windowTitle);
}

// Asks the taskbar icon window to close when it is there. Always 1.
int NETPREP_API CloseToolTrayIcon(void)
{
    SendClose(kFrameClass, kTaskbarTitle);
    return 1;
}
