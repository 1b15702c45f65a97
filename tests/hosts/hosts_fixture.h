// The prefix's real hosts file, as the running program's platform family
// places it, kept safe across a test: other tests of the same prefix run
// after these.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace netprep::test {

// The hosts file, the temporary hosts file and their folder (no trailing
// backslash) for the running program's family.
std::string HostsPath();
std::string TempHostsPath();
std::string HostsFolder();

// The hosts file's bytes; nullopt when there is no hosts file.
std::optional<std::string> HostsText();
// Writes the hosts file with these bytes and normal attributes; nullopt
// removes it.
void SetHostsText(const std::optional<std::string>& text);

// The side files ("hst*.tmp") that the copy-back may have left in `folder`.
std::vector<std::string> SideFilesIn(const std::string& folder);

// What GetComputerNameA gives.
std::string ComputerName();

// The three exports that edit the hosts file, for tables that run a case
// with each.
struct EditingExport {
    const char* name;
    int(__cdecl* call)(const char*);
    bool inserts;
};
extern const EditingExport kEditingExports[3];

// What a call with "server" that runs to its end makes of `before`, which
// holds the line "127.0.0.1 server" once.
std::string UpdatedHostsText(const EditingExport& edit, const std::string& before);

// After a call on `before`: the hosts file is either byte for byte as it
// was (result 0) or fully updated (result 1), never anything between.
void ExpectWholeAndReported(const EditingExport& edit, int result, const std::string& before);

// Saves the hosts file (bytes, attributes, or its absence) and puts it back
// when it goes, removing the temporary hosts file and any side file.
class SavedHostsFile {
public:
    SavedHostsFile();
    ~SavedHostsFile();
    SavedHostsFile(const SavedHostsFile&) = delete;
    SavedHostsFile& operator=(const SavedHostsFile&) = delete;

private:
    std::optional<std::string> text_;
    unsigned long attributes_;
    std::string name_;
};

// Removes the temporary hosts file and side files left by a failed call.
void RemoveLeftovers();

// The TCP/IP domain that Windows 95 keeps under the machine key, set (or,
// with nullopt, removed) while it lives and put back afterwards.
class DomainValue {
public:
    explicit DomainValue(const std::optional<std::string>& domain);
    ~DomainValue();
    DomainValue(const DomainValue&) = delete;
    DomainValue& operator=(const DomainValue&) = delete;

private:
    bool keyExisted_;
    std::optional<std::string> bytes_;
    unsigned long type_ = 0;
};

}  // namespace netprep::test
