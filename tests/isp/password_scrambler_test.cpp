#include "isp/password_scrambler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace netprep {
namespace {

// The password field holds at most 78 characters.
constexpr size_t kLongestPassword = 78;
constexpr unsigned char kFirstAccepted = 33;  // "!"
constexpr unsigned char kLastAccepted = 127;  // the delete character
constexpr int kAcceptedCount = kLastAccepted - kFirstAccepted + 1;

std::string Scrambled(const std::string& plain)
{
    std::string out(plain.size() + 8, '#');
    EXPECT_EQ(ScramblePassword(plain.c_str(), out.data()), 0) << plain;
    return out.c_str();
}

std::string Restored(const std::string& stored)
{
    std::string out(stored.size() + 1, '#');
    EXPECT_EQ(RestorePassword(stored.c_str(), out.data()), 0);
    return out.c_str();
}

// Every accepted character at every position of every length a password
// field holds: password `shift` of length n has character
// 33 + (i + shift) % 95 at position i.
TEST(PasswordScrambler, EveryAcceptedCharacterAtEveryLengthIsStoredAndRestored)
{
    for (size_t n = 1; n <= kLongestPassword; ++n) {
        for (int shift = 0; shift < kAcceptedCount; ++shift) {
            std::string plain(n, ' ');
            for (size_t i = 0; i < n; ++i)
                plain[i] = static_cast<char>(kFirstAccepted + (i + shift) % kAcceptedCount);

            std::string stored(n + 8, '#');
            ASSERT_EQ(ScramblePassword(plain.c_str(), stored.data()), 0) << plain;
            ASSERT_EQ(strlen(stored.c_str()), n) << "the stored form keeps the length: " << plain;
            for (size_t i = 0; i < n; ++i) {
                const unsigned char byte = static_cast<unsigned char>(stored[i]);
                ASSERT_TRUE(byte >= 33 && byte <= 160)
                    << "byte " << int(byte) << " at " << i << " of " << plain;
            }
            stored.resize(n);
            ASSERT_EQ(Scrambled(plain), stored) << "the same password, the same bytes";
            ASSERT_EQ(Restored(stored), plain);
        }
    }
}

TEST(PasswordScrambler, EmptyPasswordIsStoredEmpty)
{
    char out[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(ScramblePassword("", out), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_TRUE(CanScramblePassword(""));
    EXPECT_EQ(Restored(""), "");
}

// Records written by earlier releases must stay readable, so the stored
// form of a password never changes.
TEST(PasswordScrambler, StoredFormIsFixed)
{
    const struct {
        const char* name;
        const char* plain;
        const char* stored;
    } cases[] = {
        {"letters", "secret", "\x24\x69\x88\x90\x34\x62"},
        {"the accepted extremes", "!~\x7F", "\x69\x98\x73"},
        {"digits and punctuation", "Pa55-w0rd", "\x26\x91\x43\x49\x6F\x3F\x62\x26\x3A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Scrambled(c.plain), c.stored);
        EXPECT_EQ(Restored(c.stored), c.plain);
    }
}

TEST(PasswordScrambler, KeyBytesDependOnTheWholeLength)
{
    for (size_t n = 1; n <= kLongestPassword; ++n) {
        const std::string password(n, 'x');
        for (size_t i = 0; i < n; ++i) {
            const int key = ScrambleKeyByte(password.c_str(), i);
            ASSERT_TRUE(key >= 0 && key <= 93) << key << " at " << i << " of " << n;
        }
    }
    // So a password's stored form does not begin with its prefix's.
    EXPECT_NE(Scrambled("secret").substr(0, 3), Scrambled("sec"));
    EXPECT_NE(Scrambled("secret1").substr(0, 6), Scrambled("secret"));
}

TEST(PasswordScrambler, RefusedCharacterStopsTheScramblingUnterminated)
{
    const struct {
        const char* name;
        const char* plain;
        size_t refusedAt;
    } cases[] = {
        {"a space first", " secret", 0},
        {"a tab inside", "sec\tret", 3},
        {"a control character last", "secret\x1F", 6},
        {"code 128", "se\x80" "cret", 2},
        {"an accented letter", "caf\xE9", 3},
        {"code 255", "\xFF", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string plain = c.plain;
        EXPECT_FALSE(CanScramblePassword(c.plain));
        std::string out(plain.size() + 4, '#');
        EXPECT_EQ(ScramblePassword(c.plain, out.data()), 1);

        // The bytes before the refused one are those of the same password
        // with an accepted character in its place; from it on, the output
        // is untouched and has no terminator.
        std::string accepted = plain;
        accepted[c.refusedAt] = 'x';
        const std::string expected = Scrambled(accepted);
        EXPECT_EQ(out.substr(0, c.refusedAt), expected.substr(0, c.refusedAt));
        EXPECT_EQ(out.substr(c.refusedAt), std::string(plain.size() - c.refusedAt + 4, '#'));
    }
}

TEST(PasswordScrambler, RestoreRefusesWhatTheScramblerCannotHaveWritten)
{
    // One stored byte that would restore to 160, beyond the accepted range.
    const int key = ScrambleKeyByte("x", 0);
    const std::string beyondRange(1, static_cast<char>(33 + (127 ^ key)));
    const struct {
        const char* name;
        std::string stored;
    } cases[] = {
        {"a space", "ab cd"},
        {"code 161", "ab\xA1" "cd"},
        {"code 255", "\xFF"},
        {"a byte restoring past 127", beyondRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out(c.stored.size() + 1, '#');
        EXPECT_EQ(RestorePassword(c.stored.c_str(), out.data()), 1);
        EXPECT_EQ(out[0], '\0') << "nothing half restored";
    }
}

}  // namespace
}  // namespace netprep
