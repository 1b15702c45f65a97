#include "tests/support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace netprep::test {

std::string ScratchDirectory(const std::string& name)
{
    std::string dir = ProgramDirectory() + "\\scratch";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\" + name;
    // Empty a leftover from an earlier run.
    std::string pattern = dir + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                std::string file = dir + "\\" + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path, bool* ok)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (ok != nullptr)
        *ok = file != nullptr;
    if (file == nullptr)
        return bytes;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    fclose(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    fclose(file);
}

void RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

}  // namespace netprep::test
