// FileDialog: the system's Open and Save As prompts.
//
//   FileDialog open(FileDialog::Mode::Open, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
//   open.SetTitle("Open");
//   open.SetFilter("All Files (*.*)|*.*||");
//   if (open.DoModal() == IDOK) use(open.GetPathName());
//
// Filters are written with '|' between descriptions and patterns and end
// with "||". No filter: the prompt shows every file. Owner by default the
// application's main window; usable from worker threads.
//
// The prompt never changes the current folder (OFN_NOCHANGEDIR is always
// added): a program may open its own files there by bare name. While
// it is open, the calling thread's other windows are disabled as well
// (modal_prompt_scope.h).
#ifndef LEXON_FRAMEWORK_FILE_DIALOG_H
#define LEXON_FRAMEWORK_FILE_DIALOG_H

#include <windows.h>
#include <string>

class FileDialog {
public:
    enum class Mode { Open, Save };

    FileDialog(Mode mode, DWORD flags, const char* default_name = nullptr,
               const char* filter = nullptr);

    void SetTitle(const char* title) { title_ = title ? title : ""; }
    void SetFilter(const char* filter) { filter_ = filter ? filter : ""; }
    INT_PTR DoModal(HWND owner = nullptr);   // IDOK or IDCANCEL
    const std::string& GetPathName() const { return path_; }

private:
    Mode mode_;
    DWORD flags_;
    std::string title_;
    std::string filter_;
    std::string path_;
};

#endif
