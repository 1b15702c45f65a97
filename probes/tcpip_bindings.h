// Where TCP/IP is bound, read from the registry the way each platform family
// records it.
#pragma once

#include "probes/binding_counts.h"

namespace netprep {

// Windows 95: the TCP/IP instances under "Enum\Network\MSTCP" are the bound
// count; each adapter under "Enum\Root\Net" described as "Dial-Up Adapter"
// with a binding whose name starts "MSTCP" adds 1 to the dial-up count.
BindingCounts CountBindingsWindows95();

// Windows NT: the "Bind" list of the TCP/IP "Linkage" key under
// SYSTEM\CurrentControlSet\Services, counted by CountBindList. A missing key
// or value, or a list of more than 254 bytes, counts nothing.
BindingCounts CountBindingsWindowsNT();

}  // namespace netprep
