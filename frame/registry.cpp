#include "frame/registry.h"

#include "frame/handles.h"
#include "include/netprep.h"

#include <cstring>

namespace netprep {

namespace {

// Builds path[\subpath] in `joined` (kKeyPathSize bytes). False when the
// result would not fit; `joined` is then not to be used.
bool JoinKeyPath(char* joined, const char* path, const char* subpath)
{
    const size_t cchPath = strlen(path);
    const size_t cchSubpath = subpath != nullptr ? 1 + strlen(subpath) : 0;
    if (cchPath + cchSubpath >= kKeyPathSize)
        return false;
    memcpy(joined, path, cchPath);
    if (subpath != nullptr) {
        joined[cchPath] = '\\';
        memcpy(joined + cchPath + 1, subpath, cchSubpath - 1);
    }
    joined[cchPath + cchSubpath] = '\0';
    return true;
}

}  // namespace

LONG OpenSetupKey(HKEY* key, const char* path, const char* subpath)
{
    *key = nullptr;
    if (path == nullptr)
        return ERROR_INVALID_PARAMETER;
    char joined[kKeyPathSize];
    if (!JoinKeyPath(joined, path, subpath))
        return ERROR_FILENAME_EXCED_RANGE;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, joined, 0, kSetupKeyAccess, key);
    if (result != ERROR_SUCCESS)
        *key = nullptr;
    return result;
}

LONG OpenSubkeyByIndex(HKEY* key, const char* path, const char* subpath, DWORD index,
                       char* name)
{
    UniqueKey parent;
    if (OpenSetupKey(parent.put(), path, subpath) != ERROR_SUCCESS)
        return kEnumFailed;

    char subkeyName[kSubkeyNameSize];
    DWORD cchSubkeyName = kSubkeyNameSize;
    if (RegEnumKeyExA(parent.get(), index, subkeyName, &cchSubkeyName, nullptr, nullptr,
                      nullptr, nullptr) != ERROR_SUCCESS)
        return kEnumFailed;

    // The subkey is opened by its full path, so path, subpath, name and both
    // separators must fit one joined path; OpenSetupKey refuses one that
    // does not.
    char parentPath[kKeyPathSize];
    if (!JoinKeyPath(parentPath, path, subpath))
        return kEnumFailed;
    LONG result = OpenSetupKey(key, parentPath, subkeyName);
    if (name != nullptr && result == ERROR_SUCCESS)
        memcpy(name, subkeyName, cchSubkeyName + 1);
    return result;
}

LONG EnumValueNameByIndex(const char* path, const char* subpath, char* name, DWORD* cchName,
                          DWORD index)
{
    UniqueKey key;
    if (OpenSetupKey(key.put(), path, subpath) != ERROR_SUCCESS)
        return kEnumFailed;
    return RegEnumValueA(key.get(), index, name, cchName, nullptr, nullptr, nullptr, nullptr);
}

LONG QueryKeyValue(HKEY key, const char* valueName, void* data, DWORD* cbData)
{
    return RegQueryValueExA(key, valueName, nullptr, nullptr, static_cast<BYTE*>(data), cbData);
}

}  // namespace netprep

// Deletes one value under the machine key. Always 1: a key that cannot be
// opened, a missing value, a null argument and an over-long path are all
// left alone without notice.
int NETPREP_API RegDBDeleteValue(const char* keyPath, const char* valueName)
{
    if (keyPath == nullptr || valueName == nullptr)
        return 1;
    netprep::UniqueKey key;
    if (netprep::OpenSetupKey(key.put(), keyPath, nullptr) == ERROR_SUCCESS)
        RegDeleteValueA(key.get(), valueName);
    return 1;
}
