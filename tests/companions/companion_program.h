// Starts the stand-in companion program (tests/doubles/companion) with the
// windows a test asks for, waits until they exist, and ends it again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace netprep::test {

struct CompanionWindow {
    const char* className;
    const char* title;
};

struct CompanionOptions {
    LONG reply = 0;          // answer to the running-applications query
    DWORD closeDelayMs = 0;  // time WM_CLOSE takes to handle
    bool decline = false;    // WM_CLOSE is recorded, the window stays
};

class CompanionProgram {
public:
    // `scratchName` names the scratch folder that holds the program's log.
    CompanionProgram(const std::string& scratchName, const std::vector<CompanionWindow>& windows,
                     const CompanionOptions& options = {});
    ~CompanionProgram();
    CompanionProgram(const CompanionProgram&) = delete;
    CompanionProgram& operator=(const CompanionProgram&) = delete;

    // True once the program has opened every window.
    bool ready() const { return ready_; }
    // What the program has handled so far, in order: "close <n>" or
    // "query <n>", <n> being the window's place in the list given.
    std::vector<std::string> Records() const;
    // Waits up to `timeoutMs` for the record count to reach `count`.
    std::vector<std::string> WaitForRecords(size_t count, DWORD timeoutMs) const;
    // True when the program ended by itself (its last window closed).
    bool WaitForExit(DWORD timeoutMs) const;

private:
    // Separate from the constructor so that gtest's assertions can end it.
    void Start(const std::string& scratchName, const CompanionOptions& options);

    std::vector<CompanionWindow> windows_;
    std::string logPath_;
    HANDLE process_ = nullptr;
    bool ready_ = false;
};

}  // namespace netprep::test
