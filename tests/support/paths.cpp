#include "tests/support/paths.h"

#include <windows.h>

namespace netprep::test {

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string WindowsDirectory()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

}  // namespace netprep::test
