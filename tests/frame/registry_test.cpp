#include "frame/handles.h"
#include "frame/registry.h"
#include "include/netprep.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace netprep {
namespace {

using test::ReadOnlyKey;
using test::ScratchKey;
using test::SetStringValue;
using test::ValueExists;

// Each test works in HKLM\SOFTWARE\netprep-tests\<test name>.
class RegistryTest : public testing::Test {
protected:
    RegistryTest() : scratch_(testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    const std::string& root() const { return scratch_.path(); }

    // The marker value that tells which key a handle has open.
    static std::string MarkerOf(HKEY key)
    {
        char data[64] = {};
        DWORD cb = sizeof data;
        if (RegQueryValueExA(key, "marker", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &cb) !=
            ERROR_SUCCESS)
            return "(none)";
        return data;
    }

    ScratchKey scratch_;
};

TEST_F(RegistryTest, OpenSetupKeyJoinsPathAndSubpath)
{
    SetStringValue(root(), "marker", "parent");
    SetStringValue(scratch_.Sub("child"), "marker", "child");

    UniqueKey key;
    ASSERT_EQ(OpenSetupKey(key.put(), root().c_str(), nullptr), ERROR_SUCCESS);
    EXPECT_EQ(MarkerOf(key.get()), "parent");
    ASSERT_EQ(OpenSetupKey(key.put(), root().c_str(), "child"), ERROR_SUCCESS);
    EXPECT_EQ(MarkerOf(key.get()), "child");
}

TEST_F(RegistryTest, OpenSetupKeyAsksForWriteAccess)
{
    SetStringValue(root(), "data", "x");
    UniqueKey key;
    ASSERT_EQ(OpenSetupKey(key.put(), root().c_str(), nullptr), ERROR_SUCCESS);
    // The handle can write as well as read.
    EXPECT_EQ(RegSetValueExA(key.get(), "written", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>("y"), 2),
              ERROR_SUCCESS);
}

TEST_F(RegistryTest, OpenSetupKeyFailuresHandBackNoKey)
{
    test::CreateKey(scratch_.Sub("readonly"));
    ReadOnlyKey readOnly(scratch_.Sub("readonly"));
    const std::string longPath = root() + "\\" + std::string(255 - root().size(), 'k');
    ASSERT_EQ(longPath.size(), 256u);

    const struct {
        const char* name;
        const char* path;
        const char* subpath;
        LONG expected;
    } cases[] = {
        {"missing key", root().c_str(), "missing", ERROR_FILE_NOT_FOUND},
        {"missing subpath of missing key", "SOFTWARE\\netprep-tests-none", nullptr,
         ERROR_FILE_NOT_FOUND},
        {"readable, not writable", root().c_str(), "readonly", ERROR_ACCESS_DENIED},
        {"null path", nullptr, "x", ERROR_INVALID_PARAMETER},
        {"joined path of 256 characters", longPath.c_str(), nullptr, ERROR_FILENAME_EXCED_RANGE},
        {"256 characters with the separator", root().c_str(),
         longPath.c_str() + root().size() + 1, ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HKEY key = reinterpret_cast<HKEY>(static_cast<INT_PTR>(0x5a5a));
        EXPECT_EQ(OpenSetupKey(&key, c.path, c.subpath), c.expected);
        EXPECT_EQ(key, nullptr);
    }
}

TEST_F(RegistryTest, OpenSetupKeyTakesAJoinedPathOf255Characters)
{
    // 255 characters in all: the longest path that fits.
    const std::string name(255 - root().size() - 1, 'k');
    test::CreateKey(scratch_.Sub(name));
    UniqueKey key;
    EXPECT_EQ(OpenSetupKey(key.put(), root().c_str(), name.c_str()), ERROR_SUCCESS);
}

TEST_F(RegistryTest, OpenSubkeyByIndexWalksTheSubkeysInOrder)
{
    for (const char* name : {"alpha", "beta", "gamma"})
        SetStringValue(scratch_.Sub(name), "marker", name);

    std::string seen;
    LONG result = 0;
    DWORD index = 0;
    for (;; ++index) {
        UniqueKey key;
        char name[kSubkeyNameSize];
        result = OpenSubkeyByIndex(key.put(), root().c_str(), nullptr, index, name);
        if (result != ERROR_SUCCESS)
            break;
        EXPECT_EQ(MarkerOf(key.get()), name) << "the handle is the named subkey";
        seen += std::string(name) + ";";
    }
    EXPECT_EQ(result, kEnumFailed);
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(seen, "alpha;beta;gamma;");
}

TEST_F(RegistryTest, OpenSubkeyByIndexWithSubpathAndWithoutNameOutput)
{
    SetStringValue(scratch_.Sub("Enum\\Net\\0000"), "marker", "adapter");
    UniqueKey key;
    ASSERT_EQ(OpenSubkeyByIndex(key.put(), root().c_str(), "Enum\\Net", 0, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(MarkerOf(key.get()), "adapter");
}

TEST_F(RegistryTest, OpenSubkeyByIndexFailuresLeaveTheOutputsAlone)
{
    test::CreateKey(scratch_.Sub("list\\" + std::string(63, 'a')));  // index 0: fits
    test::CreateKey(scratch_.Sub("list\\" + std::string(64, 'b')));  // index 1: 64 characters
    test::CreateKey(scratch_.Sub("locked\\0000"));
    ReadOnlyKey readOnly(scratch_.Sub("locked\\0000"));

    const struct {
        const char* name;
        const char* subpath;
        DWORD index;
        LONG expected;
    } cases[] = {
        {"past the last subkey", "list", 2, kEnumFailed},
        {"a name of 64 characters", "list", 1, kEnumFailed},
        {"a key that does not exist", "missing", 0, kEnumFailed},
        {"a subkey that may only be read", "locked", 0, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HKEY sentinel = reinterpret_cast<HKEY>(static_cast<INT_PTR>(0x5a5a));
        HKEY key = sentinel;
        char name[kSubkeyNameSize];
        memset(name, '#', sizeof name);
        EXPECT_EQ(OpenSubkeyByIndex(&key, root().c_str(), c.subpath, c.index, name), c.expected);
        if (c.expected == kEnumFailed) {
            EXPECT_EQ(key, sentinel);
        }
        EXPECT_EQ(name[0], '#') << "the name output is untouched";
    }

    UniqueKey key;
    char name[kSubkeyNameSize];
    EXPECT_EQ(OpenSubkeyByIndex(key.put(), root().c_str(), "list", 0, name), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), std::string(63, 'a'));
}

TEST_F(RegistryTest, EnumValueNameByIndexSizeContract)
{
    SetStringValue(root(), "first", "1");
    SetStringValue(root(), "second", "2");

    char name[16];
    DWORD cch = sizeof name;
    ASSERT_EQ(EnumValueNameByIndex(root().c_str(), nullptr, name, &cch, 0), ERROR_SUCCESS);
    EXPECT_STREQ(name, "first");
    EXPECT_EQ(cch, 5u) << "on return: characters without the terminator";

    cch = sizeof name;
    ASSERT_EQ(EnumValueNameByIndex(root().c_str(), nullptr, name, &cch, 1), ERROR_SUCCESS);
    EXPECT_STREQ(name, "second");

    cch = sizeof name;
    EXPECT_EQ(EnumValueNameByIndex(root().c_str(), nullptr, name, &cch, 2), ERROR_NO_MORE_ITEMS);

    cch = 6;  // "second" needs 7 with its terminator
    EXPECT_EQ(EnumValueNameByIndex(root().c_str(), nullptr, name, &cch, 1), ERROR_MORE_DATA);

    cch = sizeof name;
    EXPECT_EQ(EnumValueNameByIndex(root().c_str(), "missing", name, &cch, 0), kEnumFailed);
}

TEST_F(RegistryTest, QueryKeyValueReadsAnyTypeAsBytes)
{
    SetStringValue(root(), "ten", "0123456789");
    test::SetDwordValue(root(), "number", 0x31);
    UniqueKey key;
    ASSERT_EQ(OpenSetupKey(key.put(), root().c_str(), nullptr), ERROR_SUCCESS);

    char data[512];
    DWORD cb = sizeof data;
    ASSERT_EQ(QueryKeyValue(key.get(), "ten", data, &cb), ERROR_SUCCESS);
    EXPECT_EQ(cb, 11u) << "the byte count includes the terminator";
    EXPECT_STREQ(data, "0123456789");

    cb = sizeof data;
    ASSERT_EQ(QueryKeyValue(key.get(), "number", data, &cb), ERROR_SUCCESS);
    EXPECT_EQ(cb, 4u);
    EXPECT_EQ(std::string(data, 4), std::string("1\0\0\0", 4));

    cb = 10;
    EXPECT_EQ(QueryKeyValue(key.get(), "ten", data, &cb), ERROR_MORE_DATA);
    cb = sizeof data;
    EXPECT_EQ(QueryKeyValue(key.get(), "missing", data, &cb), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, RegDBDeleteValueDeletesOnlyWhatItCanAndAlwaysAnswersOne)
{
    const std::string locked = scratch_.Sub("locked");
    const std::string missing = scratch_.Sub("missing");
    SetStringValue(root(), "target", "x");
    SetStringValue(root(), "other", "y");
    SetStringValue(root(), nullptr, "default");
    SetStringValue(locked, "target", "x");
    ReadOnlyKey readOnly(locked);
    const std::string longPath = root() + "\\" + std::string(300, 'k');

    EXPECT_EQ(RegDBDeleteValue(root().c_str(), "target"), 1);
    EXPECT_FALSE(ValueExists(root(), "target"));
    EXPECT_TRUE(ValueExists(root(), "other"));

    const struct {
        const char* name;
        const char* path;
        const char* value;
    } untouched[] = {
        {"the value is already gone", root().c_str(), "target"},
        {"the key does not exist", missing.c_str(), "target"},
        {"the key may only be read", locked.c_str(), "target"},
        {"null value name", root().c_str(), nullptr},
        {"null key path", nullptr, "other"},
        {"path longer than 255 characters", longPath.c_str(), "other"},
    };
    for (const auto& c : untouched) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RegDBDeleteValue(c.path, c.value), 1);
    }
    EXPECT_TRUE(ValueExists(root(), "other"));
    EXPECT_TRUE(ValueExists(root(), nullptr)) << "a null name must not delete the default value";
    EXPECT_TRUE(ValueExists(locked, "target"));
    EXPECT_FALSE(test::KeyExists(missing)) << "nothing is created";
}

}  // namespace
}  // namespace netprep
