// ravelup3.exe: "ravelup <logfile>", the uninstaller of the Halbern
// installer family. Everything happens in run_uninstaller.
#include "uninstaller/core/uninstaller_entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_tail, int)
{
    RealEntrySystem system;
    return run_uninstaller(instance, command_tail, system);
}
