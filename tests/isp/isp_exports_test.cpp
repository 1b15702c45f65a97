// ConfigureISP and PhoneBookExists as an installation script calls them:
// through the finished netprep.dll, whose own resources hold the dialog.
#include "resources/resource.h"
#include "tests/isp/isp_fixture.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace netprep {
namespace {

using test::DialogDriver;
using test::DialUpStandIn;

class IspExports : public test::IspTest {
protected:
    void SetUp() override
    {
        IspTest::SetUp();
        dll_ = LoadLibraryA((test::ProgramDirectory() + "\\netprep.dll").c_str());
        ASSERT_NE(dll_, nullptr) << GetLastError();
        configureIsp_ =
            reinterpret_cast<int(__cdecl*)(HWND)>(GetProcAddress(dll_, "ConfigureISP"));
        phoneBookExists_ =
            reinterpret_cast<int(__cdecl*)()>(GetProcAddress(dll_, "PhoneBookExists"));
        ASSERT_NE(configureIsp_, nullptr);
        ASSERT_NE(phoneBookExists_, nullptr);
    }
    void TearDown() override
    {
        if (dll_ != nullptr)
            FreeLibrary(dll_);
        IspTest::TearDown();
    }

    HMODULE dll_ = nullptr;
    int(__cdecl* configureIsp_)(HWND) = nullptr;
    int(__cdecl* phoneBookExists_)() = nullptr;
};

TEST_F(IspExports, ScriptSequence)
{
    DialUpStandIn standIn({"Office"});
    EXPECT_EQ(phoneBookExists_(), 0);

    {
        DialogDriver driver(IDC_ENTRY_LIST, {test::Click(IDCANCEL)});
        EXPECT_EQ(configureIsp_(ScriptWindow()), 0);
        EXPECT_TRUE(driver.sawDialog()) << "the dialog comes from the DLL's resources";
    }
    {
        test::UnattendedFile file(
            "[Netmeld]\r\nPhoneBookEntry=Office\r\nUsername=alice\r\nPassword=s3cret\r\n");
        DialogDriver driver(IDC_ENTRY_LIST, {});
        EXPECT_EQ(configureIsp_(ScriptWindow()), 1);
        EXPECT_FALSE(driver.sawDialog());
    }
    const auto record = test::ReadRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->name, "Office");
    EXPECT_EQ(test::RestoredPassword(*record), "s3cret");
}

}  // namespace
}  // namespace netprep
