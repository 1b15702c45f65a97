// IpLoaded on Windows NT, against bind lists written into the prefix's own
// TCP/IP Linkage key (saved and put back around each test).
#include "include/netprep.h"
#include "tests/probes/borrowed_key.h"
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace netprep {
namespace {

using namespace std::string_literals;

constexpr char kLinkagePath[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage";

void WriteBindList(const std::string& path, const std::string& bytes)
{
    test::SetValue(path, "Bind", REG_MULTI_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Card entries of 16 bytes each, zero included, then the closing zero.
std::string CardBindList(size_t cbTotal)
{
    std::string list;
    for (int card = 0; list.size() + 1 < cbTotal; ++card) {
        char entry[32];
        snprintf(entry, sizeof entry, "\\Device\\El%05d", card % 100000);
        list += entry;
        list += '\0';
    }
    list.resize(cbTotal - 1, 'x');
    list += '\0';
    return list;
}

TEST(IpLoadedWindowsNT, AnswersOneOnlyWhenEntriesOutnumberTheirWans)
{
    const struct {
        const char* name;
        std::optional<std::string> bind;  // nullopt: the key without the value
        int expected;
    } cases[] = {
        {"one dial-up entry", "\\Device\\NdisWan4\0\0"s, 0},
        {"one dial-up entry, lower case", "\\Device\\ndiswan4\0\0"s, 0},
        {"a card beside the dial-up entry", "\\Device\\NdisWan4\0\\Device\\El90x1\0\0"s, 1},
        {"WAN twice in one of two entries", "\\Device\\WanArpWan1\0\\Device\\El90x1\0\0"s, 0},
        {"one card", "\\Device\\El90x1\0\0"s, 1},
        {"empty value", ""s, 0},
        {"only the closing zero", "\0"s, 0},
        {"254 bytes still fit", CardBindList(254), 1},
        {"255 bytes do not", CardBindList(255), 0},
        {"no Bind value", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::BorrowedKey linkage(kLinkagePath);
        test::CreateKey(linkage.path());
        if (c.bind)
            WriteBindList(linkage.path(), *c.bind);
        EXPECT_EQ(IpLoaded(), c.expected);
    }
}

TEST(IpLoadedWindowsNT, NoLinkageKeyAnswersZero)
{
    test::BorrowedKey linkage(kLinkagePath);
    EXPECT_EQ(IpLoaded(), 0);
}

TEST(IpLoadedWindowsNT, ReadOnlyLinkageKeyCountsAsMissing)
{
    test::BorrowedKey linkage(kLinkagePath);
    WriteBindList(linkage.path(), "\\Device\\El90x1\0\0"s);
    ASSERT_EQ(IpLoaded(), 1);
    test::ReadOnlyKey readOnly(linkage.path());
    EXPECT_EQ(IpLoaded(), 0);
}

TEST(IpLoadedWindowsNT, ThroughTheDll)
{
    HMODULE dll = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
    ASSERT_NE(dll, nullptr) << GetLastError();
    auto ipLoaded = reinterpret_cast<int(__cdecl*)()>(GetProcAddress(dll, "IpLoaded"));
    ASSERT_NE(ipLoaded, nullptr);
    {
        test::BorrowedKey linkage(kLinkagePath);
        WriteBindList(linkage.path(), "\\Device\\NdisWan4\0\\Device\\El90x1\0\0"s);
        EXPECT_EQ(ipLoaded(), 1);
        WriteBindList(linkage.path(), "\\Device\\NdisWan4\0\0"s);
        EXPECT_EQ(ipLoaded(), 0);
    }
    FreeLibrary(dll);
}

}  // namespace
}  // namespace netprep
