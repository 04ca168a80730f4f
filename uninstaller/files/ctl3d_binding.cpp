#include "uninstaller/files/ctl3d_binding.h"

#include "uninstaller/files/file_ops.h"

namespace {

long g_registration_count = 0;
HMODULE g_library = nullptr;

typedef BOOL(WINAPI* Ctl3dFunction)(HANDLE);

// Calls the named library function with the instance; false when it is
// missing or returns 0.
bool call_library(const char* name, HINSTANCE instance)
{
    Ctl3dFunction function = reinterpret_cast<Ctl3dFunction>(
        reinterpret_cast<void*>(GetProcAddress(g_library, name)));
    return function != nullptr && function(instance) != 0;
}

}  // namespace

long Ctl3dBinding::registration_count()
{
    return g_registration_count;
}

HMODULE Ctl3dBinding::library()
{
    return g_library;
}

int Ctl3dBinding::register_binding(HINSTANCE instance)
{
    active_ = 1;
    instance_ = instance;
    ++g_registration_count;
    if (g_registration_count >= 2)
        return 1;
    std::string directory;
    if (!shared_directory(&directory) || !path_exists(join_path(directory, "ctl3d32.dll")))
        return 0;
    g_library = LoadLibraryA("ctl3d32.dll");
    if (g_library == nullptr)
        return 0;
    if (!call_library("Ctl3dRegister", instance))
        return 0;
    if (!call_library("Ctl3dAutoSubclass", instance))
        return 0;
    return 1;
}

void Ctl3dBinding::unregister_binding()
{
    if (active_ == 0)
        return;   // nothing registered by this binding
    active_ = 0;
    --g_registration_count;
    if (g_registration_count > 0)
        return;
    if (g_library == nullptr)
        return;
    Ctl3dFunction unregister = reinterpret_cast<Ctl3dFunction>(
        reinterpret_cast<void*>(GetProcAddress(g_library, "Ctl3dUnregister")));
    if (unregister == nullptr)
        return;
    unregister(instance_);
    FreeLibrary(g_library);
    g_library = nullptr;
}
