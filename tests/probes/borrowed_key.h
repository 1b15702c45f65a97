// A key of the system's, taken over for one test. The probes read fixed keys
// under HKEY_LOCAL_MACHINE, so their fixtures are written there rather than
// in a scratch key.
#pragma once

#include <string>
#include <vector>

namespace netprep::test {

// While it lives, the key at `path` (relative to HKEY_LOCAL_MACHINE) starts
// out missing: whatever the prefix held there is copied aside first. On
// destruction everything the test wrote there is deleted, the saved copy is
// put back, and parent keys that did not exist before are removed again.
class BorrowedKey {
public:
    explicit BorrowedKey(std::string path);
    ~BorrowedKey();
    BorrowedKey(const BorrowedKey&) = delete;
    BorrowedKey& operator=(const BorrowedKey&) = delete;

    const std::string& path() const { return path_; }
    std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
    std::string savedPath_;  // empty when there was nothing to save
    std::vector<std::string> createdParents_;  // deepest first
};

}  // namespace netprep::test
