// Wnd: a C++ object bound to one window handle, whose messages go through
// the object's message map (message_map.h).
//
// Windows made by the framework use the window class "LexonFrameworkWnd"
// (registered on first use) and find their object through GWLP_USERDATA;
// the object is attached from WM_NCCREATE on. Messages not in the map go to
// DefaultProc (DefWindowProc). When the window has been destroyed
// (WM_NCDESTROY), the handle is cleared and PostNcDestroy() is called: the
// last moment an owner may free the object.
//
// No exception leaves a window procedure: anything thrown by a handler is
// caught at the boundary and the message is treated as unhandled.
#ifndef LEXON_FRAMEWORK_WINDOW_H
#define LEXON_FRAMEWORK_WINDOW_H

#include "translator/framework/cmd_target.h"

#include <windows.h>
#include <string>

class Wnd : public CmdTarget {
public:
    Wnd() = default;
    ~Wnd() override;

    HWND GetHwnd() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }

    // Creates the window with the framework's window class.
    bool Create(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu_or_id);
    void Destroy();

    std::string GetText() const;

    // The Wnd object of a framework window, or null for any other window.
    static Wnd* FromHandle(HWND hwnd);

    // Handles one message: the map first, then DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    // What happens to a message the map does not handle.
    virtual LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);
    // Runs the default processing of m from inside a handler.
    void Default(Message& m) { m.result = DefaultProc(m.id, m.wparam, m.lparam); }

    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

    static const char kWindowClassName[];

protected:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    // Makes sure the framework's window class exists.
    static bool RegisterFrameworkClass();

    HWND hwnd_ = nullptr;
};

#endif
