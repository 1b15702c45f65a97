// The two line tests, on the rules the editing table does not reach: the
// byte count rather than a terminator bounds the line, and only A to Z are
// folded.
#include "hosts/hosts_lines.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace netprep {
namespace {

struct LineCase {
    const char* name;
    std::string line;
    int length;  // -1: the whole line
    const char* text;
    int result;
};

int LengthOf(const LineCase& entry)
{
    return entry.length >= 0 ? entry.length : static_cast<int>(entry.line.size());
}

TEST(HostsLines, LineBeginsWith)
{
    const LineCase kCases[] = {
        {"BehindSpacesAndTabs", " \t 127.0.0.1 server\n", -1, "127.0.0.1", 1},
        {"OnlyThePrefixsCharactersCount", "127.0.0.10 server\n", -1, "127.0.0.1", 1},
        {"LetterCaseIgnored", "LocalHost\n", -1, "localhost", 1},
        {"OnlyAsciiLettersFolded", "\xC4x\n", -1, "\xE4x", 0},
        {"LineShorterThanThePrefix", "127.0.0", -1, "127.0.0.1", 0},
        {"EndsAtItsLengthNotAtItsTerminator", "127.0.0.1 server", 8, "127.0.0.1", 0},
        {"WhiteSpaceOnly", " \t\r\n", -1, "127.0.0.1", 0},
    };
    for (const LineCase& entry : kCases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(LineBeginsWith(entry.line.data(), LengthOf(entry), entry.text), entry.result);
    }
}

TEST(HostsLines, LineContains)
{
    const LineCase kCases[] = {
        {"InTheHostNamesInAnyCase", "127.0.0.1 a Server b\n", -1, "SERVER", 1},
        {"InTheAddress", "127.0.0.1 x\n", -1, "0.0", 1},
        {"InATrailingComment", "127.0.0.1 x # server\n", -1, "server", 1},
        {"NotInTheLeadingWhiteSpace", "  \tx\n", -1, " \tx", 0},
        {"LineShorterThanTheText", "server", -1, "server2", 0},
        {"PastAZeroByte", "ab\0server\n"s, -1, "server", 1},
        {"NotPastTheLength", "127.0.0.1 server", 12, "server", 0},
        {"WhiteSpaceOnly", " \t ", -1, "", 0},
    };
    for (const LineCase& entry : kCases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(LineContains(entry.line.data(), LengthOf(entry), entry.text), entry.result);
    }
}

}  // namespace
}  // namespace netprep
