// Registry fixtures under HKLM\SOFTWARE\netprep-tests\<name>: created fresh
// for a test and deleted with everything below it afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace netprep::test {

constexpr const char* kScratchRoot = "SOFTWARE\\netprep-tests";

class ScratchKey {
public:
    explicit ScratchKey(const std::string& name);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // Path relative to HKEY_LOCAL_MACHINE.
    const std::string& path() const { return path_; }
    std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

// Every path below is relative to HKEY_LOCAL_MACHINE.
void CreateKey(const std::string& path);
void DeleteKeyTree(const std::string& path);
bool KeyExists(const std::string& path);
void SetValue(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD cbData);
void SetStringValue(const std::string& path, const char* name, const std::string& value);
void SetDwordValue(const std::string& path, const char* name, DWORD value);
bool ValueExists(const std::string& path, const char* name);
// The value's bytes as stored; empty when it is missing.
std::string ReadValueBytes(const std::string& path, const char* name, DWORD* type = nullptr);

// While it lives, Everyone may read the key but not write it, so every open
// that asks for write access fails with ERROR_ACCESS_DENIED.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const std::string& path);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    std::string path_;
};

}  // namespace netprep::test
