#include "tests/isp/isp_fixture.h"

#include "frame/frame.h"
#include "isp/password_scrambler.h"
#include "resources/resource.h"
#include "tests/doubles/rasapi32/stand_in_config.h"
#include "tests/support/files.h"
#include "tests/support/registry_fixture.h"

#include <cstdio>

namespace netprep::test {

DialUpStandIn::DialUpStandIn(const std::vector<std::string>& entries, DWORD error)
{
    DeleteKeyTree(kDialUpStandInKey);
    std::string multi;
    for (const std::string& entry : entries)
        multi += entry + '\0';
    multi += '\0';
    SetValue(kDialUpStandInKey, "Entries", REG_MULTI_SZ, multi.data(),
             static_cast<DWORD>(multi.size()));
    if (error != ERROR_SUCCESS)
        SetDwordValue(kDialUpStandInKey, "Result", error);
}

DialUpStandIn::~DialUpStandIn() { DeleteKeyTree(kDialUpStandInKey); }

std::vector<std::string> NumberedEntries(int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        snprintf(name, sizeof name, "Entry %02d", i);
        names.push_back(name);
    }
    return names;
}

UnattendedFile::UnattendedFile(const std::string& text)
{
    RemoveFile(Path());
    WriteFileBytes(Path(), text);
}

UnattendedFile::~UnattendedFile() { RemoveFile(Path()); }

std::string UnattendedFile::Path() { return WindowsDirectory() + "\\NmSetup.ini"; }

std::optional<StoredRecord> ReadRecord()
{
    if (!KeyExists(kRecordPath))
        return std::nullopt;
    auto read = [](const char* name) {
        if (!ValueExists(kRecordPath, name))
            return std::string("(missing)");
        DWORD type = 0;
        std::string bytes = ReadValueBytes(kRecordPath, name, &type);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_TRUE(!bytes.empty() && bytes.back() == '\0')
            << name << ": the stored length counts the terminator";
        if (!bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        EXPECT_EQ(bytes.find('\0'), std::string::npos) << name << ": one string, whole";
        return bytes;
    };
    return StoredRecord{read("Name"), read("DomainName"), read("NetUserName"),
                        read("NetPassword")};
}

std::string RestoredPassword(const StoredRecord& record)
{
    std::string plain(record.netPassword.size() + 1, '\0');
    EXPECT_EQ(RestorePassword(record.netPassword.c_str(), plain.data()), 0);
    return plain.c_str();
}

void RemovePhoneBookEntries() { DeleteKeyTree(kEntriesPath); }

void IspTest::SetUp()
{
    RemovePhoneBookEntries();
    RemoveFile(UnattendedFile::Path());
    StoreOwnerWindow(nullptr);
}

void IspTest::TearDown()
{
    StoreOwnerWindow(nullptr);
    if (window_ != nullptr)
        DestroyWindow(window_);
    RemoveFile(UnattendedFile::Path());
    RemovePhoneBookEntries();
}

HWND IspTest::ScriptWindow()
{
    if (window_ == nullptr) {
        window_ = CreateWindowA("STATIC", "installer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(window_, nullptr);
    }
    return window_;
}

std::vector<DialogStep> FillAccount(const std::string& loginName, const std::string& password,
                                    const std::string& confirmation)
{
    return {TypeText(IDC_LOGIN_NAME, loginName), TypeText(IDC_PASSWORD, password),
            TypeText(IDC_CONFIRM_PASSWORD, confirmation)};
}

std::vector<DialogStep> Then(std::vector<DialogStep> steps, std::vector<DialogStep> more)
{
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

}  // namespace netprep::test
