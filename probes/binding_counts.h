// The rules by which IpLoaded tells TCP/IP bindings and dial-up bindings
// apart, over plain bytes read from the registry. No Windows headers, so
// they build anywhere, also under sanitizers and fuzzers.
#pragma once

#include <cstddef>

namespace netprep {

struct BindingCounts {
    size_t boundCount = 0;   // TCP/IP bindings
    size_t dialUpCount = 0;  // dial-up bindings among them
};

// Counts a Windows NT bind list, a multi-string of device names, of which
// `cbData` bytes were stored. A zero byte before the last stored byte ends an
// entry and adds 1 to the bound count; the list's closing zero is not
// counted. Every "WAN", in any case, that starts at one of those positions
// and lies wholly inside the stored bytes adds 1 to the dial-up count, so an
// entry that names it twice adds 2. Nothing beyond `cbData` is read.
BindingCounts CountBindList(const unsigned char* data, size_t cbData);

// Whether an adapter description of `cbData` stored bytes reads "Dial-Up
// Adapter", byte for byte. The description ends at its first zero byte or,
// when it holds none, at its stored byte count.
bool DescribesDialUpAdapter(const char* data, size_t cbData);

// Whether a binding value name (zero-terminated) starts with "MSTCP",
// case counting.
bool NamesTcpipBinding(const char* valueName);

// The probe's answer: TCP/IP is bound to more adapters than the dial-up ones.
bool IsBoundBeyondDialUp(const BindingCounts& counts);

}  // namespace netprep
