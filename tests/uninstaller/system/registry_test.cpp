// Registry keys, fields and shared-DLL counts on the registry of the test
// prefix, under keys of this test's own.
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/registry.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"

#include <gtest/gtest.h>

#include <cstring>

#include <shlwapi.h>

namespace {

const int32_t kCurrentUser = 1;
const int32_t kLocalMachine = 2;

std::string test_key()
{
    return "Software\\RavelupTest" + std::to_string(GetCurrentProcessId());
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fill_platform_info();
        SHDeleteKeyA(HKEY_CURRENT_USER, test_key().c_str());
    }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, test_key().c_str()); }

    ScopedRecordingReports reports;
    SystemContext context;
};

std::string shared_dlls()
{
    return std::string(platform_info().base_key) + "\\SharedDLLs";
}

std::string in_system_directory(const char* name)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    return std::string(system) + "\\" + name;
}

}  // namespace

TEST_F(RegistryTest, CreateMakesMissingParentsTopDown)
{
    std::string a = test_key();
    ASSERT_EQ(1, registry_create_key(context, kCurrentUser, a));
    EXPECT_EQ(0, registry_key_exists(context, kCurrentUser, a + "\\B"));
    EXPECT_EQ(1, registry_create_key(context, kCurrentUser, a + "\\B\\C"));
    EXPECT_EQ(1, registry_key_exists(context, kCurrentUser, a + "\\B"));
    EXPECT_EQ(1, registry_key_exists(context, kCurrentUser, a + "\\B\\C"));
    EXPECT_EQ(1, registry_create_key(context, kCurrentUser, a + "\\B\\C"));
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(RegistryTest, DeleteRemovesNestedKeysAndFields)
{
    std::string a = test_key();
    unsigned char data[] = "value";
    ASSERT_EQ(1, registry_set_field(context, kCurrentUser, a + "\\B\\C", "f1", REG_SZ, data, sizeof data));
    ASSERT_EQ(1, registry_set_field(context, kCurrentUser, a + "\\B", "f2", REG_SZ, data, sizeof data));
    ASSERT_EQ(1, registry_set_field(context, kCurrentUser, a + "\\D", "", REG_SZ, data, sizeof data));
    EXPECT_EQ(2, registry_count_subkeys(context, kCurrentUser, a));
    EXPECT_EQ(1, registry_count_fields(context, kCurrentUser, a + "\\B"));
    EXPECT_EQ(1, registry_delete_key(context, kCurrentUser, a));
    EXPECT_EQ(0, registry_key_exists(context, kCurrentUser, a));
    EXPECT_EQ(1, registry_delete_key(context, kCurrentUser, a)) << "already gone";
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(RegistryTest, FieldsAreSetReadAndDeleted)
{
    std::string a = test_key();
    DWORD number = 0x01020304;
    ASSERT_EQ(1, registry_set_field(context, kCurrentUser, a, "n", REG_DWORD,
                                    reinterpret_cast<unsigned char*>(&number), 4));
    uint32_t type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(registry_read_field(context, kCurrentUser, a, "n", &type, &data));
    EXPECT_EQ(static_cast<uint32_t>(REG_DWORD), type);
    EXPECT_EQ((std::vector<unsigned char>{4, 3, 2, 1}), data);
    EXPECT_EQ(1, registry_delete_field(context, kCurrentUser, a, "n"));
    EXPECT_FALSE(registry_read_field(context, kCurrentUser, a, "n", &type, &data));
    EXPECT_EQ(1, registry_delete_field(context, kCurrentUser, a, "never"));
    EXPECT_EQ(1, registry_delete_field(context, kCurrentUser, a + "\\missing", "never"));
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(RegistryTest, FailuresNameTheRootAndKey)
{
    EXPECT_EQ(0, registry_count_subkeys(context, kCurrentUser, test_key() + "\\missing"));
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to open registration key HKEY_CURRENT_USER\\" + test_key() + "\\missing", reports->errors[0]);
    EXPECT_EQ(1u, context.error_code);
    EXPECT_EQ(0, registry_create_key(context, 9, "Software\\X"));
    ASSERT_EQ(2u, reports->errors.size());
    EXPECT_EQ("Unable to create registration key Software", reports->errors[1]) << "the top level fails first";
    EXPECT_STREQ("Unknown", registry_root_message_name(9));
}

TEST_F(RegistryTest, Win32sLeavesTheOtherRootsAlone)
{
    std::string a = test_key();
    ASSERT_EQ(1, registry_create_key(context, kCurrentUser, a));
    PlatformInfo saved = replace_platform_info(platform_info_from_version(0, 3, 11, nullptr));
    EXPECT_EQ(0, registry_key_exists(context, kCurrentUser, a));
    EXPECT_EQ(1, registry_delete_key(context, kCurrentUser, a));
    EXPECT_EQ(1, registry_create_key(context, kCurrentUser, a + "\\New"));
    EXPECT_EQ(0, registry_count_fields(context, kCurrentUser, a));
    replace_platform_info(saved);
    EXPECT_EQ(1, registry_key_exists(context, kCurrentUser, a)) << "nothing was deleted";
    EXPECT_EQ(0, registry_key_exists(context, kCurrentUser, a + "\\New")) << "nothing was created";
}

TEST_F(RegistryTest, NegativeStoredSharedCountReadsAsTheLastReference)
{
    // 0xFFFFFFFF is no reference count. Read as -1 it would mean "not a
    // shared file at all" and the file would go without the question; read
    // as 1 the user decides.
    std::string dll = in_system_directory("ravneg.dll");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, shared_dlls().c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD all_ones = 0xFFFFFFFFu;
    RegSetValueExA(key, dll.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&all_ones), 4);
    EXPECT_EQ(1, shared_count(context, dll));
    unsigned char minus_five[4] = {0xFB, 0xFF, 0xFF, 0xFF};
    RegSetValueExA(key, dll.c_str(), 0, REG_BINARY, minus_five, 4);
    EXPECT_EQ(1, shared_count(context, dll));
    EXPECT_EQ(0, decrement_shared_count(context, dll));
    DWORD type = 0, size = 0;
    EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(key, dll.c_str(), nullptr, &type, nullptr, &size));
    RegDeleteValueA(key, dll.c_str());
    RegCloseKey(key);
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(RegistryTest, SharedCountsKeepTheirTypeAndVanishAtOne)
{
    std::string binary_dll = in_system_directory("ravbin.dll");
    std::string dword_dll = in_system_directory("ravdw.dll");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, shared_dlls().c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    unsigned char eight[8] = {3, 0, 0, 0, 0, 0, 0, 0};
    RegSetValueExA(key, binary_dll.c_str(), 0, REG_BINARY, eight, 8);
    DWORD three = 3;
    RegSetValueExA(key, dword_dll.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&three), 4);

    EXPECT_EQ(0, shared_count(context, binary_dll)) << "8 bytes of binary are no count";
    EXPECT_EQ(5, set_shared_count(context, binary_dll, 5));
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, binary_dll.c_str(), nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(5, shared_count(context, binary_dll));

    EXPECT_EQ(3, shared_count(context, dword_dll));
    EXPECT_EQ(2, decrement_shared_count(context, dword_dll));
    RegQueryValueExA(key, dword_dll.c_str(), nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(1, decrement_shared_count(context, dword_dll));
    EXPECT_EQ(0, decrement_shared_count(context, dword_dll));
    EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(key, dword_dll.c_str(), nullptr, &type, nullptr, &size))
        << "a count of 1 disappears instead of becoming 0";
    EXPECT_EQ(0, shared_count(context, dword_dll));

    EXPECT_EQ(-1, shared_count(context, "C:\\Program Files\\x.dll"));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(-1, shared_count(context, std::string(system) + "x\\y.dll")) << "a prefix is not the directory";
    EXPECT_EQ(-1, decrement_shared_count(context, "C:\\elsewhere\\x.dll"));
    RegDeleteValueA(key, binary_dll.c_str());
    RegCloseKey(key);
    EXPECT_TRUE(reports->errors.empty());
}
