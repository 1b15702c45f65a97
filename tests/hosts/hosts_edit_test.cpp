// The editing exports on the prefix's real hosts file: the text before, the
// call, the text after and the result. Built into both test programs, so
// every case runs on the Windows NT and on the Windows 95 hosts file.
#include "hosts/hosts_lines.h"
#include "include/netprep.h"
#include "tests/hosts/hosts_fixture.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace netprep {
namespace {

using Export = int(__cdecl*)(const char*);
const std::optional<std::string> kNoHostsFile = std::nullopt;

struct EditCase {
    const char* name;
    std::optional<std::string> before;
    Export call;
    std::string argument;
    std::optional<std::string> after;
    int result;
};

std::string PaddedTo(std::string text, size_t length, char fill)
{
    text.resize(length, fill);
    return text;
}

std::vector<EditCase> EditCases()
{
    // Loopback lines read ahead for a mention and then read again: within
    // one read block, and across one.
    const std::string longLocalhost = "127.0.0.1 localhost " + std::string(600, 'x') + "\r\n";
    const std::string blockLongLocalhost =
        "127.0.0.1 localhost " + std::string(kHostsReadBlockSize + 1000, 'x') + "\r\n";
    // The CR of its line end is the last byte of the first read block.
    const std::string blockLongComment = PaddedTo("# ", kHostsReadBlockSize - 1, 'p') + "\r\n";
    // Read as text, 511 characters and a line feed: one more than a piece.
    const std::string serverLineOf511 = PaddedTo("127.0.0.1 server ", 511, 'x') + "\r\n";
    // A comment whose 512th character starts what looks like a loopback line.
    const std::string longComment = PaddedTo("# ", 511, '-') + "127.0.0.1 server\r\n";
    const std::string name500(500, 'n');
    return {
        {"InsertPutsTheLineFirstAndDropsTheOldOne",
         "127.0.0.1 localhost\r\n127.0.0.1 server\r\n", InsertHostName, "server",
         "127.0.0.1\tserver\r\n127.0.0.1 localhost\r\n", 1},
        {"InsertCreatesAMissingHostsFile", kNoHostsFile, InsertHostName, "server",
         "127.0.0.1\tserver\r\n", 1},
        {"InsertKeepsALastLineWithoutLineEnd", "10.0.0.5 gateway", InsertHostName, "server",
         "127.0.0.1\tserver\r\n10.0.0.5 gateway", 1},
        {"InsertTakesANameOf500Characters", "# x\r\n", InsertHostName, name500,
         "127.0.0.1\t" + name500 + "\r\n# x\r\n", 1},
        {"InsertRefusesANameOf501CharactersAndCreatesNothing", kNoHostsFile, InsertHostName,
         name500 + "n", kNoHostsFile, 0},
        {"RemoveCreatesNoHostsFile", kNoHostsFile, RemoveHostName, "server", kNoHostsFile, 0},
        {"RemoveMatchesPartsOfNamesInAnyCase",
         "127.0.0.1 localhost\r\n127.0.0.1 Server2\r\n127.0.0.1 other # SERVER\r\n"
         "10.0.0.5 server\r\n",
         RemoveHostName, "server", "127.0.0.1 localhost\r\n10.0.0.5 server\r\n", 1},
        {"RemoveSeesLoopbackLinesBehindWhiteSpaceButNotBehindHash",
         "   127.0.0.1 server\r\n\t127.0.0.1 server\r\n#127.0.0.1 server\r\n", RemoveHostName,
         "server", "#127.0.0.1 server\r\n", 1},
        {"RemoveTakes127_0_0_10ForALoopbackLine", "127.0.0.10 server\r\n10.0.0.5 server\r\n",
         RemoveHostName, "server", "10.0.0.5 server\r\n", 1},
        {"RemoveKeepsBlankLines", "\r\n   \r\n\t\r\n127.0.0.1 server\r\n", RemoveHostName,
         "server", "\r\n   \r\n\t\r\n", 1},
        {"RemoveWithoutMatchStillRewritesLineFeedsAsCrLf", "127.0.0.1 localhost\n# note\n",
         RemoveHostName, "server", "127.0.0.1 localhost\r\n# note\r\n", 0},
        {"RemoveOldMatchesLikeRemove", "127.0.0.1 localhost\r\n127.0.0.1 oldbox.corp\r\n",
         RemoveOldHostName, "OLDBOX", "127.0.0.1 localhost\r\n", 1},
        {"LongLineIsKeptWhole", longLocalhost + "127.0.0.1 server\r\n", RemoveHostName, "server",
         longLocalhost, 1},
        {"LineLongerThanAReadBlockIsKeptWhole", blockLongLocalhost + "127.0.0.1 server\r\n",
         RemoveHostName, "server", blockLongLocalhost, 1},
        {"LongLoopbackLineIsDroppedWhole",
         "127.0.0.1 server " + std::string(600, 'x') + "\r\n# after\r\n", RemoveHostName,
         "server", "# after\r\n", 1},
        {"LoopbackLineOf511CharactersGoesWithItsLineEnd", serverLineOf511 + "# after\r\n",
         RemoveHostName, "server", "# after\r\n", 1},
        {"LongCommentIsNotCutWhereItsTailLooksLikeALoopbackLine",
         longComment + "127.0.0.1 server\r\n", RemoveHostName, "server", longComment, 1},
        {"LoopbackLineMentioningTheNameFarInIsDroppedWhole",
         "127.0.0.1 " + std::string(600, 'x') + " server\r\n# after\r\n", RemoveHostName,
         "server", "# after\r\n", 1},
        {"NameAcrossThe511thCharacterIsFound",
         PaddedTo("127.0.0.1 ", 508, 'x') + " server\r\n# after\r\n", RemoveHostName, "server",
         "# after\r\n", 1},
        {"RemoveRefusesANameOf512CharactersAndRewritesNothing", "127.0.0.1 localhost\n",
         RemoveHostName, std::string(512, 'n'), "127.0.0.1 localhost\n", 0},
        {"CrLfAcrossAReadBlockStaysOneLineEnd", blockLongComment + "127.0.0.1 server\r\n",
         RemoveHostName, "server", blockLongComment, 1},
        {"LoneCarriageReturnsStay", "a\rb\r\n127.0.0.1 server\r\n", RemoveHostName, "server",
         "a\rb\r\n", 1},
        // The text rules end a file at 0x1A; what follows it is not kept.
        {"EndOfFileMarkEndsTheText", "# a\r\n\x1A# b\r\n", RemoveHostName, "server",
         "# a\r\n", 0},
        {"ZeroBytesComeThroughUnchanged", "127.0.0.1 localhost\r\nab\0cd\r\n127.0.0.1 server\r\n"s,
         RemoveHostName, "server", "127.0.0.1 localhost\r\nab\0cd\r\n"s, 1},
    };
}

TEST(HostsEdit, EachCallLeavesTheExpectedTextAndNoTemporaryFile)
{
    test::SavedHostsFile saved;
    for (const EditCase& edit : EditCases()) {
        SCOPED_TRACE(edit.name);
        test::SetHostsText(edit.before);

        EXPECT_EQ(edit.call(edit.argument.c_str()), edit.result);

        EXPECT_EQ(test::HostsText(), edit.after);
        EXPECT_FALSE(test::FileExists(test::TempHostsPath()));
        EXPECT_EQ(test::SideFilesIn(test::HostsFolder()), std::vector<std::string>{});
        test::RemoveLeftovers();
    }
}

TEST(HostsEdit, CheckValidHostnameTellsNamesFromNumericAddresses)
{
    struct {
        const char* text;
        int result;
    } const kCases[] = {
        {"10.1.2.3", 0},
        {"server", 1},
        // The broadcast address converts to the failure value itself.
        {"255.255.255.255", 1},
        {nullptr, 1},
    };
    for (const auto& entry : kCases) {
        SCOPED_TRACE(entry.text != nullptr ? entry.text : "(null)");
        EXPECT_EQ(CheckValidHostname(entry.text), entry.result);
    }
}

}  // namespace
}  // namespace netprep
