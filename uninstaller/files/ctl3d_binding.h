// Ctl3dBinding: registers the program with the 3-D controls library
// ctl3d32.dll when it is installed, so that dialog controls get the 3-D
// look; the program runs unchanged without it.
//
// The library is loaded at run time by name (only when ctl3d32.dll lies in
// the shared directory) and three of its functions are called with the
// program's module instance: Ctl3dRegister and Ctl3dAutoSubclass when the
// first binding registers, Ctl3dUnregister when the last one unregisters
// (then the library is freed). The registration count and the module
// handle are shared by the whole process.
//
//   Ctl3dBinding ctl3d;
//   ctl3d.register_binding(instance);   // 0 is harmless: plain look
//   ...
//   ctl3d.unregister_binding();         // on every way out
#ifndef RAVELUP_FILES_CTL3D_BINDING_H
#define RAVELUP_FILES_CTL3D_BINDING_H

#include <windows.h>

class Ctl3dBinding {
public:
    Ctl3dBinding() = default;
    Ctl3dBinding(const Ctl3dBinding&) = delete;
    Ctl3dBinding& operator=(const Ctl3dBinding&) = delete;

    // 1 when the library is registered (now or by an earlier binding).
    int register_binding(HINSTANCE instance);
    // Undoes one registration.
    void unregister_binding();

    bool active() const { return active_ != 0; }

    // Process-wide state, for tests and diagnostics.
    static long registration_count();
    static HMODULE library();

private:
    int active_ = 0;
    HINSTANCE instance_ = nullptr;
};

#endif
