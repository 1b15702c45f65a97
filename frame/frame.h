// The library frame: the two process-wide handles and the one routine that
// shows a message to the user.
#pragma once

#include <windows.h>

namespace netprep {

// The library's own instance handle, stored by the entry function at
// process attach. String and dialog resources are loaded through it.
HINSTANCE ModuleHandle();
void StoreModuleHandle(HINSTANCE module);

// The window that owns error boxes. Zero until ConfigureISP stores the
// script's window; kept until the library is unloaded.
HWND OwnerWindow();
void StoreOwnerWindow(HWND window);

// Shows string `messageId` of the string table in a system-modal stop box
// captioned with the dialog caption, owned by the owner window. Shows nothing
// when either string is missing.
void ShowSetupError(UINT messageId);

}  // namespace netprep
