// The counting rules on their own, with the bytes laid out beside the
// expectation.
#include "probes/binding_counts.h"

#include <gtest/gtest.h>

#include <string>

namespace netprep {
namespace {

using namespace std::string_literals;

TEST(CountBindList, CountsEntriesAndEveryWanInAnyCase)
{
    const struct {
        const char* name;
        std::string stored;  // exactly the bytes the registry handed back
        size_t bound;
        size_t dialUp;
    } cases[] = {
        {"nothing stored", ""s, 0, 0},
        {"only the closing zero", "\0"s, 0, 0},
        {"one card", "\\Device\\El90x1\0\0"s, 1, 0},
        {"one dial-up entry and one card", "\\Device\\NdisWan4\0\\Device\\El90x1\0\0"s, 2, 1},
        {"WAN twice in one entry", "\\Device\\WanArpWan1\0\0"s, 1, 2},
        {"lower and mixed case", "\\Device\\ndiswan4\0\\Device\\NdisWAn5\0\0"s, 2, 2},
        {"split by an entry's end", "\\Device\\NdisWA\0N\0\0"s, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BindingCounts counts = CountBindList(
            reinterpret_cast<const unsigned char*>(c.stored.data()), c.stored.size());
        EXPECT_EQ(counts.boundCount, c.bound);
        EXPECT_EQ(counts.dialUpCount, c.dialUp);
    }
}

TEST(CountBindList, ReadsNothingBeyondTheStoredBytes)
{
    // The buffer goes on with "N" after the three stored bytes "\0WA"; a
    // "WAN" that needs the byte after them is not there.
    const unsigned char buffer[] = {0, 'W', 'A', 'N', 0, 0};
    const BindingCounts counts = CountBindList(buffer, 3);
    EXPECT_EQ(counts.boundCount, 1u);
    EXPECT_EQ(counts.dialUpCount, 0u);
}

TEST(DescribesDialUpAdapter, WholeDescriptionByteForByteWithinTheStoredBytes)
{
    const struct {
        const char* name;
        std::string buffer;
        size_t cbStored;
        bool expected;
    } cases[] = {
        {"with its zero", "Dial-Up Adapter\0"s, 16, true},
        {"zero, then more data", "Dial-Up Adapter\0#2\0"s, 19, true},
        {"stored without its zero, the buffer going on after it", "Dial-Up Adapter #2"s, 15, true},
        {"other case", "Dial-up adapter\0"s, 16, false},
        {"suffix", "Dial-Up Adapter #2\0"s, 19, false},
        {"cut short", "Dial-Up Adapte\0"s, 15, false},
        {"empty", "\0"s, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DescribesDialUpAdapter(c.buffer.data(), c.cbStored), c.expected);
    }
}

TEST(NamesTcpipBinding, FirstFiveCharactersCaseCounting)
{
    const struct {
        const char* name;
        bool expected;
    } cases[] = {
        {"MSTCP\\0000", true}, {"MSTCP", true},         {"MSTC", false},
        {"mstcp\\0000", false}, {"NETBEUI\\0000", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NamesTcpipBinding(c.name), c.expected);
    }
}

}  // namespace
}  // namespace netprep
