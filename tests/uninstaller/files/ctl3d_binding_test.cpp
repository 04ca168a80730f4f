#include "uninstaller/files/ctl3d_binding.h"
#include "uninstaller/files/file_ops.h"

#include <gtest/gtest.h>

// Wine ships a ctl3d32.dll in the system directory, so the registration
// goes through to the library.
TEST(Ctl3dBinding, RegistrationsAreCountedAndTheLastOneFreesTheLibrary)
{
    std::string shared;
    ASSERT_TRUE(shared_directory(&shared));
    bool installed = path_exists(join_path(shared, "ctl3d32.dll"));
    HINSTANCE instance = GetModuleHandleA(nullptr);

    Ctl3dBinding first;
    Ctl3dBinding second;
    EXPECT_EQ(installed ? 1 : 0, first.register_binding(instance));
    EXPECT_TRUE(first.active());
    EXPECT_EQ(1, Ctl3dBinding::registration_count());
    EXPECT_EQ(installed, Ctl3dBinding::library() != nullptr);
    HMODULE loaded = Ctl3dBinding::library();

    EXPECT_EQ(1, second.register_binding(instance));   // already registered: at once
    EXPECT_EQ(2, Ctl3dBinding::registration_count());
    EXPECT_EQ(loaded, Ctl3dBinding::library());

    first.unregister_binding();
    EXPECT_FALSE(first.active());
    EXPECT_EQ(1, Ctl3dBinding::registration_count());
    EXPECT_EQ(loaded, Ctl3dBinding::library()) << "still in use by the second binding";

    first.unregister_binding();   // not registered any more: no effect
    EXPECT_EQ(1, Ctl3dBinding::registration_count());

    second.unregister_binding();
    EXPECT_EQ(0, Ctl3dBinding::registration_count());
    EXPECT_EQ(nullptr, Ctl3dBinding::library());
}
