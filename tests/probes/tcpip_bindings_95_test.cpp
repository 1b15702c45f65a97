// IpLoaded on Windows 95 (this program sees that family), against TCP/IP
// instances and network adapters written into the prefix's Enum keys.
#include "include/netprep.h"
#include "probes/tcpip_bindings.h"
#include "tests/probes/borrowed_key.h"
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace netprep {
namespace {

using namespace std::string_literals;

constexpr char kDialUp[] = "Dial-Up Adapter";
constexpr char kCard[] = "PCI Ethernet Adapter";

struct Adapter {
    std::string name;                       // subkey of Enum\Root\Net
    std::optional<std::string> description;  // stored bytes of DeviceDesc
    std::optional<std::vector<std::string>> bindings;  // value names under Bindings
};

Adapter DialUp(const std::string& name, std::vector<std::string> bindings = {"MSTCP\\0000"})
{
    return {name, kDialUp + "\0"s, std::move(bindings)};
}

Adapter Card(const std::string& name) { return {name, kCard + "\0"s, {{"MSTCP\\0001"}}}; }

// The network set-up as the probe finds it in the registry: TCP/IP instances
// under Enum\Network\MSTCP and adapters under Enum\Root\Net.
class Windows95Network {
public:
    // nullopt leaves Enum\Network\MSTCP missing.
    void AddTcpipInstances(std::optional<int> count)
    {
        if (!count)
            return;
        test::CreateKey(instances_.path());
        for (int i = 0; i < *count; ++i) {
            char name[8];
            snprintf(name, sizeof name, "%04d", i);
            test::CreateKey(instances_.Sub(name));
        }
    }

    void AddAdapter(const Adapter& adapter)
    {
        const std::string key = adapters_.Sub(adapter.name);
        test::CreateKey(key);
        if (adapter.description)
            test::SetValue(key, "DeviceDesc", REG_SZ, adapter.description->data(),
                           static_cast<DWORD>(adapter.description->size()));
        if (adapter.bindings) {
            test::CreateKey(key + "\\Bindings");
            for (const std::string& binding : *adapter.bindings)
                test::SetStringValue(key + "\\Bindings", binding.c_str(), "");
        }
    }

private:
    test::BorrowedKey instances_{"Enum\\Network\\MSTCP"};
    test::BorrowedKey adapters_{"Enum\\Root\\Net"};
};

TEST(IpLoadedWindows95, CountsTcpipInstancesAgainstDialUpAdaptersBoundToIt)
{
    const std::string name55(55, 'A');
    const std::string name63(63, 'B');
    const struct {
        const char* name;
        std::optional<int> instances;
        std::vector<Adapter> adapters;
        size_t bound;
        size_t dialUp;
        int expected;
    } cases[] = {
        {"dial-up adapter only", 1, {DialUp("0000")}, 1, 1, 0},
        {"a card and the dial-up adapter", 2, {DialUp("0000"), Card("0001")}, 2, 1, 1},
        {"a card, no dial-up adapter", 1, {Card("0000")}, 1, 0, 1},
        {"no Enum\\Network\\MSTCP", std::nullopt, {DialUp("0000"), Card("0001")}, 0, 1, 0},
        {"Enum\\Network\\MSTCP without instances", 0, {Card("0000")}, 0, 0, 0},
        {"description in other case",
         1, {{"0000", "Dial-up adapter\0"s, {{"MSTCP\\0000"}}}}, 1, 0, 1},
        {"description stored without its zero", 1, {{"0000", std::string(kDialUp), {{"MSTCP\\0000"}}}},
         1, 1, 0},
        {"no description", 1, {{"0000", std::nullopt, {{"MSTCP\\0000"}}}}, 1, 0, 1},
        {"MSTCP after shorter and longer names",
         1, {DialUp("0000", {"IPX\\1", "NETBEUI\\0000", "MSTCP\\0000"})}, 1, 1, 0},
        {"two MSTCP bindings count once",
         2, {DialUp("0000", {"MSTCP\\0000", "MSTCP\\0001"}), Card("0001")}, 2, 1, 1},
        {"binding name in lower case", 1, {DialUp("0000", {"mstcp\\0000"})}, 1, 0, 1},
        {"no Bindings key", 1, {{"0000", kDialUp + "\0"s, std::nullopt}}, 1, 0, 1},
        {"adapter name of 55 characters", 1, {DialUp(name55)}, 1, 1, 0},
        {"adapter name of 63 characters", 1, {DialUp(name63)}, 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Windows95Network network;
        network.AddTcpipInstances(c.instances);
        for (const Adapter& adapter : c.adapters)
            network.AddAdapter(adapter);

        const BindingCounts counts = CountBindingsWindows95();
        EXPECT_EQ(counts.boundCount, c.bound);
        EXPECT_EQ(counts.dialUpCount, c.dialUp);
        EXPECT_EQ(IpLoaded(), c.expected);
    }
}

TEST(IpLoadedWindows95, ThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    auto ipLoaded = reinterpret_cast<int(__cdecl*)()>(GetProcAddress(dll, "IpLoaded"));
    ASSERT_NE(ipLoaded, nullptr);
    {
        Windows95Network network;
        network.AddTcpipInstances(2);
        network.AddAdapter(DialUp("0000"));
        network.AddAdapter(Card("0001"));
        EXPECT_EQ(ipLoaded(), 1);
    }
    {
        Windows95Network network;
        network.AddTcpipInstances(1);
        network.AddAdapter(DialUp("0000"));
        EXPECT_EQ(ipLoaded(), 0);
    }
    FreeLibrary(dll);
}

}  // namespace
}  // namespace netprep
