#include "probes/binding_counts.h"

#include <cstring>

namespace netprep {

namespace {

constexpr char kDialUpAdapterDescription[] = "Dial-Up Adapter";
constexpr char kTcpipBindingPrefix[] = "MSTCP";
constexpr char kDialUpDeviceMark[] = "WAN";
constexpr size_t kCchDialUpDeviceMark = sizeof kDialUpDeviceMark - 1;

// Only the ASCII letters fold; bytes of a code page's upper half stay as
// they are.
unsigned char UpperAscii(unsigned char byte)
{
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

bool StartsDialUpDeviceMark(const unsigned char* data)
{
    for (size_t i = 0; i < kCchDialUpDeviceMark; ++i) {
        if (UpperAscii(data[i]) != static_cast<unsigned char>(kDialUpDeviceMark[i]))
            return false;
    }
    return true;
}

}  // namespace

BindingCounts CountBindList(const unsigned char* data, size_t cbData)
{
    BindingCounts counts;
    if (cbData < 2)
        return counts;
    // The last stored byte is the list's own terminator and is not looked at.
    for (size_t i = 0; i + 1 < cbData; ++i) {
        if (data[i] == 0)
            ++counts.boundCount;
        else if (i + kCchDialUpDeviceMark <= cbData && StartsDialUpDeviceMark(data + i))
            ++counts.dialUpCount;
    }
    return counts;
}

bool DescribesDialUpAdapter(const char* data, size_t cbData)
{
    // A string value stored without its terminator ends at its byte count;
    // nothing after the stored bytes takes part in the comparison.
    size_t cchDescription = 0;
    while (cchDescription < cbData && data[cchDescription] != '\0')
        ++cchDescription;
    return cchDescription == sizeof kDialUpAdapterDescription - 1 &&
           memcmp(data, kDialUpAdapterDescription, cchDescription) == 0;
}

bool NamesTcpipBinding(const char* valueName)
{
    return strncmp(valueName, kTcpipBindingPrefix, sizeof kTcpipBindingPrefix - 1) == 0;
}

bool IsBoundBeyondDialUp(const BindingCounts& counts)
{
    return counts.boundCount > counts.dialUpCount;
}

}  // namespace netprep
