// PhoneBookExists and the entry list, against the stand-in dial-up library.
#include "include/netprep.h"
#include "isp/phone_book.h"
#include "tests/isp/isp_fixture.h"
#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

using test::DialUpStandIn;
using test::NumberedEntries;

bool DialUpLibraryLoaded() { return GetModuleHandleA("rasapi32.dll") != nullptr; }

TEST(PhoneBookExists, AnswersZeroOnlyWhenTheEnumerationFindsEntries)
{
    const struct {
        const char* name;
        std::vector<std::string> entries;
        DWORD error;
        int expected;
    } cases[] = {
        {"one entry", {"Office"}, ERROR_SUCCESS, 0},
        {"fifteen entries fill the list", NumberedEntries(15), ERROR_SUCCESS, 0},
        {"sixteen entries do not fit", NumberedEntries(16), ERROR_SUCCESS, 3},
        {"no entry", {}, ERROR_SUCCESS, 3},
        {"the phone book cannot be opened", {"Office"}, 621, 3},
    };
    test::MessageBoxRecorder boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialUpStandIn standIn(c.entries, c.error);
        EXPECT_EQ(PhoneBookExists(), c.expected);
        EXPECT_FALSE(DialUpLibraryLoaded()) << "released after the call";
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(PhoneBookExists, EntryListHoldsFifteenNamesOfTheLongestLength)
{
    std::vector<std::string> entries;
    for (char c = 'a'; c < 'a' + 15; ++c)
        entries.push_back(std::string(256, c));
    DialUpStandIn standIn(entries);

    ASSERT_EQ(EnumeratePhoneBookEntries(), EnumerationResult::Enumerated);
    ASSERT_EQ(EntryCount(), 15u);
    for (DWORD i = 0; i < 15; ++i) {
        SCOPED_TRACE(i);
        char name[kEntryNameSize];
        ASSERT_TRUE(CopyEntryName(i, name));
        EXPECT_EQ(std::string(name), entries[i]);
    }
    char untouched[kEntryNameSize] = "unchanged";
    EXPECT_FALSE(CopyEntryName(15, untouched));
    EXPECT_STREQ(untouched, "unchanged");
}

}  // namespace
}  // namespace netprep
