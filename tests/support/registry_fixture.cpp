#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace netprep::test {

namespace {

HKEY OpenForTest(const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Sets a DACL with one ACE for Everyone.
void SetEveryoneAccess(const std::string& path, DWORD everyoneAccess)
{
    HKEY key = OpenForTest(path, WRITE_DAC);
    ASSERT_NE(key, nullptr) << path;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                         &everyone));
    std::vector<BYTE> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
    PACL acl = reinterpret_cast<PACL>(aclBytes.data());
    InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, everyoneAccess, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS) << path;
    FreeSid(everyone);
    RegCloseKey(key);
}

}  // namespace

ScratchKey::ScratchKey(const std::string& name) : path_(std::string(kScratchRoot) + "\\" + name)
{
    DeleteKeyTree(path_);
    CreateKey(path_);
}

ScratchKey::~ScratchKey() { DeleteKeyTree(path_); }

void CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key), ERROR_SUCCESS) << path;
    RegCloseKey(key);
}

void DeleteKeyTree(const std::string& path)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

bool KeyExists(const std::string& path)
{
    HKEY key = OpenForTest(path, KEY_QUERY_VALUE);
    if (key == nullptr)
        return false;
    RegCloseKey(key);
    return true;
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD cbData)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key), ERROR_SUCCESS) << path;
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), cbData),
              ERROR_SUCCESS)
        << path << " " << (name ? name : "(default)");
    RegCloseKey(key);
}

void SetStringValue(const std::string& path, const char* name, const std::string& value)
{
    SetValue(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SetDwordValue(const std::string& path, const char* name, DWORD value)
{
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

bool ValueExists(const std::string& path, const char* name)
{
    HKEY key = OpenForTest(path, KEY_QUERY_VALUE);
    if (key == nullptr)
        return false;
    LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string ReadValueBytes(const std::string& path, const char* name, DWORD* type)
{
    HKEY key = OpenForTest(path, KEY_QUERY_VALUE);
    if (key == nullptr)
        return {};
    DWORD cb = 0;
    std::string bytes;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &cb) == ERROR_SUCCESS) {
        bytes.resize(cb);
        RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()), &cb);
        bytes.resize(cb);
    }
    RegCloseKey(key);
    return bytes;
}

ReadOnlyKey::ReadOnlyKey(const std::string& path) : path_(path)
{
    // WRITE_DAC and DELETE stay, so the test can undo this and clean up.
    SetEveryoneAccess(path_, KEY_READ | WRITE_DAC | DELETE);
}

ReadOnlyKey::~ReadOnlyKey() { SetEveryoneAccess(path_, KEY_ALL_ACCESS); }

}  // namespace netprep::test
