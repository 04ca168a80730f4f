#include "translator/framework/file_dialog.h"

#include "translator/framework/app.h"
#include "translator/framework/modal_prompt_scope.h"

#include <commdlg.h>
#include <vector>

FileDialog::FileDialog(Mode mode, DWORD flags, const char* default_name, const char* filter)
    : mode_(mode), flags_(flags), filter_(filter ? filter : ""), path_(default_name ? default_name : "")
{
}

INT_PTR FileDialog::DoModal(HWND owner)
{
    if (!owner && WinApp::Current()) owner = WinApp::Current()->GetMainHwnd();

    // "Text (*.txt)|*.txt|All Files (*.*)|*.*||" -> NUL-separated pairs.
    std::vector<char> filter(filter_.begin(), filter_.end());
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');
    filter.push_back('\0');

    std::vector<char> file(MAX_PATH, '\0');
    lstrcpynA(file.data(), path_.c_str(), MAX_PATH);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.data();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    // Programs open their own files by bare name in the working folder:
    // browsing to another folder in the prompt must not move it there.
    ofn.Flags = flags_ | OFN_EXPLORER | OFN_NOCHANGEDIR;

    ModalPromptScope modal(owner);
    BOOL ok = mode_ == Mode::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (!ok) return IDCANCEL;
    path_ = file.data();
    return IDOK;
}
