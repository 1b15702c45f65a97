// Paths and whole-file helpers for tests.
#pragma once

#include "tests/support/paths.h"

#include <string>

namespace netprep::test {

// A scratch folder for this test inside the program's folder, emptied first.
std::string ScratchDirectory(const std::string& name);

bool FileExists(const std::string& path);
// The file's bytes; `ok` tells whether it could be read.
std::string ReadFileBytes(const std::string& path, bool* ok = nullptr);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);

}  // namespace netprep::test
