#include "probes/tcpip_bindings.h"

#include "frame/handles.h"
#include "frame/platform_family.h"
#include "frame/registry.h"
#include "include/netprep.h"

#include <cstring>

namespace netprep {

namespace {

constexpr char kTcpipInstancesPath[] = "Enum\\Network\\MSTCP";
constexpr char kAdaptersPath[] = "Enum\\Root\\Net";
constexpr char kAdapterDescriptionValue[] = "DeviceDesc";
constexpr char kBindingsSuffix[] = "\\Bindings";
constexpr char kLinkagePath[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage";
constexpr char kBindListValue[] = "Bind";

// Room for the longest subkey name that enumeration hands back plus
// "\Bindings", so an adapter with a name of 55 to 63 characters is examined
// like any other.
constexpr size_t kAdapterNameSize = kSubkeyNameSize + sizeof kBindingsSuffix - 1;
// Adapter descriptions and binding value names.
constexpr DWORD kDataBufferSize = 256;
// A bind list longer than this does not fit, and the probe answers 0.
constexpr DWORD kBindListCapacity = 254;

bool IsDialUpAdapter(HKEY adapter)
{
    char description[kDataBufferSize];
    DWORD cbDescription = sizeof description;
    if (QueryKeyValue(adapter, kAdapterDescriptionValue, description, &cbDescription) !=
        ERROR_SUCCESS)
        return false;
    return DescribesDialUpAdapter(description, cbDescription);
}

// Whether any value under Enum\Root\Net\<adapter>\Bindings names a TCP/IP
// binding. The walk ends at the first name that cannot be read.
bool HasTcpipBinding(const char* adapterName)
{
    char bindingsSubpath[kAdapterNameSize];
    const size_t cchAdapterName = strlen(adapterName);
    if (cchAdapterName + sizeof kBindingsSuffix > sizeof bindingsSubpath)
        return false;
    memcpy(bindingsSubpath, adapterName, cchAdapterName);
    memcpy(bindingsSubpath + cchAdapterName, kBindingsSuffix, sizeof kBindingsSuffix);

    for (DWORD index = 0;; ++index) {
        char valueName[kDataBufferSize];
        // In and out: reset before every call, or a short name would leave
        // too little room for a longer one after it.
        DWORD cchValueName = kDataBufferSize;
        if (EnumValueNameByIndex(kAdaptersPath, bindingsSubpath, valueName, &cchValueName,
                                 index) != ERROR_SUCCESS)
            return false;
        if (NamesTcpipBinding(valueName))
            return true;
    }
}

}  // namespace

BindingCounts CountBindingsWindows95()
{
    BindingCounts counts;
    for (DWORD index = 0;; ++index) {
        UniqueKey instance;
        if (OpenSubkeyByIndex(instance.put(), kTcpipInstancesPath, nullptr, index, nullptr) !=
            ERROR_SUCCESS)
            break;
        ++counts.boundCount;
    }
    for (DWORD index = 0;; ++index) {
        char adapterName[kAdapterNameSize];
        UniqueKey adapter;
        if (OpenSubkeyByIndex(adapter.put(), kAdaptersPath, nullptr, index, adapterName) !=
            ERROR_SUCCESS)
            break;
        // An adapter adds at most 1, however many TCP/IP bindings it has.
        if (IsDialUpAdapter(adapter.get()) && HasTcpipBinding(adapterName))
            ++counts.dialUpCount;
    }
    return counts;
}

BindingCounts CountBindingsWindowsNT()
{
    UniqueKey linkage;
    if (OpenSetupKey(linkage.put(), kLinkagePath, nullptr) != ERROR_SUCCESS)
        return {};
    unsigned char bindList[kDataBufferSize] = {};
    DWORD cbBindList = kBindListCapacity;
    if (QueryKeyValue(linkage.get(), kBindListValue, bindList, &cbBindList) != ERROR_SUCCESS)
        return {};
    return CountBindList(bindList, cbBindList);
}

}  // namespace netprep

// 1 when TCP/IP is bound to more adapters than the dial-up ones; 0 otherwise,
// also when TCP/IP is missing or its keys cannot be opened for writing.
int NETPREP_API IpLoaded(void)
{
    const netprep::BindingCounts counts = netprep::IsWindows95Family()
                                              ? netprep::CountBindingsWindows95()
                                              : netprep::CountBindingsWindowsNT();
    return netprep::IsBoundBeyondDialUp(counts) ? 1 : 0;
}
