// A null or empty name on Windows 95: InsertHostName and RemoveHostName add
// the TCP/IP domain to the computer name, RemoveOldHostName never does, and
// a name that would not fit its 512-byte buffer is refused rather than cut.
#include "include/netprep.h"
#include "tests/hosts/hosts_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace netprep {
namespace {

using Export = int(__cdecl*)(const char*);

struct DomainCase {
    const char* name;
    std::optional<std::string> domain;  // nullopt: no "Domain" value
    Export call;
    std::string before;
    std::string after;
    int result;
};

std::vector<DomainCase> DomainCases(const std::string& computer)
{
    const std::string bareLine = "127.0.0.1 " + computer + "\r\n";
    const std::string fullLine = "127.0.0.1 " + computer + ".corp.lan\r\n";
    // Domains that make "computer.domain" 511 and 512 characters long.
    const std::string domainFor511(511 - computer.size() - 1, 'd');
    const std::string domainFor512(512 - computer.size() - 1, 'd');
    const std::string longLine = "127.0.0.1 " + computer + "." + domainFor511 + "\r\n";
    return {
        {"InsertAddsTheDomain", "corp.lan", InsertHostName, "# x\r\n",
         "127.0.0.1\t" + computer + ".corp.lan\r\n# x\r\n", 1},
        {"RemoveLooksForTheNameWithItsDomain", "corp.lan", RemoveHostName, bareLine + fullLine,
         bareLine, 1},
        {"RemoveOldLooksForTheBareName", "corp.lan", RemoveOldHostName, bareLine + fullLine, "", 1},
        {"EmptyDomainMeansTheBareName", "", InsertHostName, "# x\r\n",
         "127.0.0.1\t" + computer + "\r\n# x\r\n", 1},
        {"NoDomainValueMeansTheBareName", std::nullopt, InsertHostName, "# x\r\n",
         "127.0.0.1\t" + computer + "\r\n# x\r\n", 1},
        {"RemoveTakesANameOf511Characters", domainFor511, RemoveHostName, longLine + "# x\r\n",
         "# x\r\n", 1},
        {"InsertRefusesANameOf511Characters", domainFor511, InsertHostName, "# x\r\n", "# x\r\n",
         0},
        // Refused, not cut back to the bare name, which this line holds.
        {"RemoveRefusesANameOf512Characters", domainFor512, RemoveHostName, bareLine, bareLine, 0},
        {"RemoveRefusesADomainTooLongForItsBuffer", std::string(600, 'd'), RemoveHostName,
         bareLine, bareLine, 0},
        {"RemoveOldIgnoresAnOverlongDomain", std::string(600, 'd'), RemoveOldHostName, bareLine,
         "", 1},
    };
}

TEST(HostsDefaultName, NullAndEmptyMeanTheComputerNameAndDomainOnWindows95)
{
    test::SavedHostsFile saved;
    for (const DomainCase& entry : DomainCases(test::ComputerName())) {
        test::DomainValue domain(entry.domain);
        for (const char* argument : {static_cast<const char*>(nullptr), ""}) {
            SCOPED_TRACE(std::string(entry.name) + (argument == nullptr ? "(null)" : "(\"\")"));
            test::SetHostsText(entry.before);
            EXPECT_EQ(entry.call(argument), entry.result);
            EXPECT_EQ(test::HostsText(), entry.after);
            test::RemoveLeftovers();
        }
    }
}

}  // namespace
}  // namespace netprep
