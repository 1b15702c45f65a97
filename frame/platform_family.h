// The two platform families the library tells apart.
#pragma once

#include <windows.h>

namespace netprep {

// GetVersion sets bit 31 on every system of the Windows 95 family and
// clears it on the Windows NT family.
inline bool IsWindows95Family() { return (GetVersion() & 0x80000000u) != 0; }

}  // namespace netprep
