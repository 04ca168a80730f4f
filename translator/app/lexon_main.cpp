// Entry point of LEXON_V2.exe: the one application object and WinMain.
#include "translator/app/lexon_app.h"
#include "translator/app/message_boxes_win32.h"

#include <windows.h>

namespace {
Win32MessagePresenter g_message_boxes;
}

CLexon_v2App theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_command)
{
    SetMessagePresenter(&g_message_boxes);
    return theApp.RunApplication(show_command);
}
