#include "tests/hosts/hosts_fixture.h"

#include "include/netprep.h"
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace netprep::test {

namespace {

bool Windows95Family() { return (GetVersion() & 0x80000000u) != 0; }

constexpr const char* kTcpipKeyPath = "SYSTEM\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kDomainValueName = "Domain";

void DeleteDomainValue()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpipKeyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kDomainValueName);
        RegCloseKey(key);
    }
}

}  // namespace

std::string HostsFolder()
{
    return WindowsDirectory() + (Windows95Family() ? "" : "\\SYSTEM32\\DRIVERS\\ETC");
}

std::string HostsPath() { return HostsFolder() + "\\HOSTS"; }
std::string TempHostsPath() { return HostsFolder() + "\\HOSTSTMP.TMP"; }

std::optional<std::string> HostsText()
{
    bool ok = false;
    std::string bytes = ReadFileBytes(HostsPath(), &ok);
    if (!ok)
        return std::nullopt;
    return bytes;
}

void SetHostsText(const std::optional<std::string>& text)
{
    RemoveFile(HostsPath());
    if (text)
        WriteFileBytes(HostsPath(), *text);
}

std::vector<std::string> SideFilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\hst*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD cch = sizeof name;
    EXPECT_TRUE(GetComputerNameA(name, &cch));
    return name;
}

const EditingExport kEditingExports[3] = {
    {"InsertHostName", InsertHostName, true},
    {"RemoveHostName", RemoveHostName, false},
    {"RemoveOldHostName", RemoveOldHostName, false},
};

std::string UpdatedHostsText(const EditingExport& edit, const std::string& before)
{
    const std::string serverLine = "127.0.0.1 server\r\n";
    std::string after = before;
    after.erase(after.find(serverLine), serverLine.size());
    return edit.inserts ? "127.0.0.1\tserver\r\n" + after : after;
}

void ExpectWholeAndReported(const EditingExport& edit, int result, const std::string& before)
{
    ASSERT_TRUE(result == 0 || result == 1) << result;
    EXPECT_EQ(HostsText(), result == 1 ? UpdatedHostsText(edit, before) : before);
}

void RemoveLeftovers()
{
    RemoveFile(TempHostsPath());
    for (const std::string& name : SideFilesIn(HostsFolder()))
        RemoveFile(HostsFolder() + "\\" + name);
}

SavedHostsFile::SavedHostsFile()
    : text_(HostsText()), attributes_(GetFileAttributesA(HostsPath().c_str()))
{
    // The file system underneath keeps the case of names; the hosts file is
    // put back under the name it had, not the one the library spells.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(HostsPath().c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        name_ = found.cFileName;
        FindClose(search);
    }
    RemoveLeftovers();
}

SavedHostsFile::~SavedHostsFile()
{
    SetHostsText(std::nullopt);
    if (text_) {
        const std::string path = HostsFolder() + "\\" + name_;
        WriteFileBytes(path, *text_);
        SetFileAttributesA(path.c_str(), attributes_);
    }
    RemoveLeftovers();
}

DomainValue::DomainValue(const std::optional<std::string>& domain)
    : keyExisted_(KeyExists(kTcpipKeyPath))
{
    DWORD type = 0;
    if (ValueExists(kTcpipKeyPath, kDomainValueName)) {
        bytes_ = ReadValueBytes(kTcpipKeyPath, kDomainValueName, &type);
        type_ = type;
    }
    if (domain)
        SetStringValue(kTcpipKeyPath, kDomainValueName, *domain);
    else
        DeleteDomainValue();
}

DomainValue::~DomainValue()
{
    if (bytes_)
        SetValue(kTcpipKeyPath, kDomainValueName, type_, bytes_->data(),
                 static_cast<DWORD>(bytes_->size()));
    else
        DeleteDomainValue();
    if (!keyExisted_)
        DeleteKeyTree(kTcpipKeyPath);
}

}  // namespace netprep::test
