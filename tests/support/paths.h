// Where a test program or benchmark finds itself and the Windows directory.
// No test framework: benchmarks link this too.
#pragma once

#include <string>

namespace netprep::test {

// The folder of the running program, without a trailing backslash.
std::string ProgramDirectory();
// GetWindowsDirectoryA.
std::string WindowsDirectory();

}  // namespace netprep::test
