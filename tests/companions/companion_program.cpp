#include "tests/companions/companion_program.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace netprep::test {

namespace {

constexpr DWORD kStartTimeoutMs = 20000;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

CompanionProgram::CompanionProgram(const std::string& scratchName,
                                   const std::vector<CompanionWindow>& windows,
                                   const CompanionOptions& options)
    : windows_(windows)
{
    Start(scratchName, options);
}

void CompanionProgram::Start(const std::string& scratchName, const CompanionOptions& options)
{
    logPath_ = ScratchDirectory(scratchName) + "\\companion.log";
    RemoveFile(logPath_);

    static int started = 0;
    const std::string eventName = "netprep-companion-ready-" +
                                  std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(++started);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);

    const std::string program = ProgramDirectory() + "\\companion-standin.exe";
    std::string commandLine = Quoted(program) + " --ready " + Quoted(eventName) + " --log " +
                              Quoted(logPath_) + " --reply " + std::to_string(options.reply) +
                              " --close-delay " + std::to_string(options.closeDelayMs);
    if (options.decline)
        commandLine += " --decline";
    for (const CompanionWindow& window : windows_)
        commandLine += " --window " + Quoted(window.className) + " " + Quoted(window.title);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const BOOL created = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startup, &info);
    if (!created) {
        CloseHandle(ready);
        FAIL() << "cannot start " << program << ": error " << GetLastError();
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;

    HANDLE waitFor[] = {ready, process_};
    const DWORD woke = WaitForMultipleObjects(2, waitFor, FALSE, kStartTimeoutMs);
    CloseHandle(ready);
    ASSERT_EQ(woke, WAIT_OBJECT_0) << "the stand-in companion program did not open its windows";
    ready_ = true;
}

CompanionProgram::~CompanionProgram()
{
    if (process_ == nullptr)
        return;
    // Ends only the program this object started.
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
    // The next test must not find a window of this one.
    const DWORD begin = GetTickCount();
    for (const CompanionWindow& window : windows_)
        while (FindWindowA(window.className, window.title) != nullptr &&
               GetTickCount() - begin < 5000)
            Sleep(10);
}

std::vector<std::string> CompanionProgram::Records() const
{
    std::vector<std::string> records;
    const std::string log = ReadFileBytes(logPath_);
    size_t start = 0;
    for (size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
        records.push_back(log.substr(start, end - start));
    return records;
}

std::vector<std::string> CompanionProgram::WaitForRecords(size_t count, DWORD timeoutMs) const
{
    const DWORD begin = GetTickCount();
    std::vector<std::string> records = Records();
    while (records.size() < count && GetTickCount() - begin < timeoutMs) {
        Sleep(20);
        records = Records();
    }
    return records;
}

bool CompanionProgram::WaitForExit(DWORD timeoutMs) const
{
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace netprep::test
