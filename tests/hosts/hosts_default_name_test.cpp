// A null or empty name on the Windows NT family: the bare computer name for
// all three editing exports, whatever the Windows 95 domain value holds.
#include "include/netprep.h"
#include "tests/hosts/hosts_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace netprep {
namespace {

using Export = int(__cdecl*)(const char*);

TEST(HostsDefaultName, NullAndEmptyMeanTheBareComputerNameOnNt)
{
    test::SavedHostsFile saved;
    // Set, yet never read: the NT family keeps its domain elsewhere.
    test::DomainValue domain("corp.lan");
    const std::string computer = test::ComputerName();
    const std::string computerLine = "127.0.0.1 " + computer + "\r\n# x\r\n";
    const struct {
        const char* name;
        Export call;
        std::string before;
        std::string after;
    } kCases[] = {
        {"InsertHostName", InsertHostName, "# x\r\n", "127.0.0.1\t" + computer + "\r\n# x\r\n"},
        {"RemoveHostName", RemoveHostName, computerLine, "# x\r\n"},
        {"RemoveOldHostName", RemoveOldHostName, computerLine, "# x\r\n"},
    };
    for (const auto& entry : kCases) {
        for (const char* argument : {static_cast<const char*>(nullptr), ""}) {
            SCOPED_TRACE(std::string(entry.name) + (argument == nullptr ? "(null)" : "(\"\")"));
            test::SetHostsText(entry.before);
            EXPECT_EQ(entry.call(argument), 1);
            EXPECT_EQ(test::HostsText(), entry.after);
        }
    }
}

}  // namespace
}  // namespace netprep
