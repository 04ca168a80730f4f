#include "translator/framework/modal_prompt_scope.h"

namespace {

struct ThreadWindows {
    HWND owner;                 // the prompt's owner (top-level), kept enabled
    std::vector<HWND> windows;  // the windows to disable
};

BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM lparam)
{
    ThreadWindows* found = reinterpret_cast<ThreadWindows*>(lparam);
    if (hwnd == found->owner || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    try {  // no exception may leave a system callback
        found->windows.push_back(hwnd);
    } catch (...) {
        return FALSE;  // out of memory: the windows found so far
    }
    return TRUE;
}

}  // namespace

ModalPromptScope::ModalPromptScope(HWND owner)
{
    ThreadWindows found{owner ? GetAncestor(owner, GA_ROOT) : nullptr, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&found));
    disabled_.reserve(found.windows.size());  // nothing below may fail half way
    for (HWND hwnd : found.windows)
        if (!EnableWindow(hwnd, FALSE)) disabled_.push_back(hwnd);  // FALSE: it was enabled
}

ModalPromptScope::~ModalPromptScope()
{
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
}
