#include "uninstaller/support/dialog_object.h"

#include "uninstaller/support/platform_info.h"

#include <cstring>

const char kDelBeforeDestructionText[] = "del() must be called before destruction";

DialogObject::~DialogObject()
{
    if (owns_window_ != 0 && window_ != nullptr)
        MessageBoxA(nullptr, kDelBeforeDestructionText, nullptr, MB_OK);
}

HINSTANCE resource_instance()
{
    return GetModuleHandleA(nullptr);
}

unsigned char* copy_template_with_3d_look(HINSTANCE instance, const char* template_name)
{
    HRSRC found = FindResourceA(instance, template_name, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (found == nullptr)
        return nullptr;
    DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size < 18)
        return nullptr;
    unsigned char* copy = new unsigned char[size];
    std::memcpy(copy, bytes, size);
    // DLGTEMPLATE starts with the style; DLGTEMPLATEEX with version 1 and
    // signature 0xFFFF, followed by help id, extended style, style.
    WORD version = 0, signature = 0;
    std::memcpy(&version, copy, 2);
    std::memcpy(&signature, copy + 2, 2);
    size_t style_offset = (version == 1 && signature == 0xFFFF) ? 12 : 0;
    DWORD style = 0;
    std::memcpy(&style, copy + style_offset, 4);
    style |= DS_3DLOOK;
    std::memcpy(copy + style_offset, &style, 4);
    return copy;
}

INT_PTR DialogObject::run_modal(HWND owner, const char* template_name)
{
    HINSTANCE instance = resource_instance();
    if (!platform_info().dialog_3d_look)
        return DialogBoxParamA(instance, template_name, owner, dialog_proc,
                               reinterpret_cast<LPARAM>(this));
    unsigned char* copy = copy_template_with_3d_look(instance, template_name);
    if (copy == nullptr)
        return -1;
    INT_PTR result = DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy), owner,
                                             dialog_proc, reinterpret_cast<LPARAM>(this));
    delete[] copy;
    return result;
}

bool DialogObject::create_modeless(HWND owner, const char* template_name)
{
    HINSTANCE instance = resource_instance();
    HWND created = nullptr;
    if (!platform_info().dialog_3d_look) {
        created = CreateDialogParamA(instance, template_name, owner, dialog_proc,
                                     reinterpret_cast<LPARAM>(this));
    } else {
        unsigned char* copy = copy_template_with_3d_look(instance, template_name);
        if (copy == nullptr)
            return false;
        created = CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy), owner,
                                             dialog_proc, reinterpret_cast<LPARAM>(this));
        delete[] copy;
    }
    if (created == nullptr)
        return false;
    owns_window_ = 1;
    return true;
}

void DialogObject::del()
{
    if (owns_window_ != 0 && window_ != nullptr)
        DestroyWindow(window_);
    owns_window_ = 0;
    window_ = nullptr;
}

INT_PTR CALLBACK DialogObject::dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DialogObject* object = nullptr;
    if (message == WM_INITDIALOG) {
        object = reinterpret_cast<DialogObject*>(lparam);
        SetWindowLongPtrA(window, DWLP_USER, lparam);
        if (object != nullptr)
            object->window_ = window;
    } else {
        object = reinterpret_cast<DialogObject*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (object == nullptr)
        return 0;
    INT_PTR result = 0;
    try {
        result = object->handle_message(message, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the system's dialog manager.
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        object->window_ = nullptr;
        object->owns_window_ = 0;
    }
    return result;
}

POINT centered_position(const RECT& over, int width, int height, int screen_width, int screen_height)
{
    int over_width = over.right - over.left;
    int over_height = over.bottom - over.top;
    POINT position;
    position.x = over.left + over_width / 2 - width / 2;
    position.y = over.top + over_height / 2 - height / 2;
    if (position.x + width > screen_width - 1)
        position.x = screen_width - 1 - width;
    if (position.y + height > screen_height - 1)
        position.y = screen_height - 1 - height;
    if (position.x < 0)
        position.x = 0;
    if (position.y < 0)
        position.y = 0;
    return position;
}

void center_window(HWND window, HWND over)
{
    if (over == nullptr)
        over = GetParent(window);
    if (over == nullptr)
        over = GetDesktopWindow();
    RECT own = {}, other = {};
    GetWindowRect(window, &own);
    GetWindowRect(over, &other);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    POINT position = centered_position(other, width, height, GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
