#include "frame/frame.h"

namespace netprep {

namespace {
// Written once before any export can run, or by a call on the script's one
// thread; no lock is needed.
HINSTANCE g_moduleHandle = nullptr;
HWND g_ownerWindow = nullptr;
}  // namespace

HINSTANCE ModuleHandle() { return g_moduleHandle; }
void StoreModuleHandle(HINSTANCE module) { g_moduleHandle = module; }

HWND OwnerWindow() { return g_ownerWindow; }
void StoreOwnerWindow(HWND window) { g_ownerWindow = window; }

}  // namespace netprep
