#include "translator/framework/document.h"

#include "translator/framework/app.h"
#include "translator/framework/doc_template.h"
#include "translator/framework/framework_ids.h"
#include "translator/framework/message_text.h"
#include "translator/framework/view.h"

#include <windows.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

void TellUser(const std::string& text)
{
    WinApp* app = WinApp::Current();
    if (app) app->ShowAppMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

const MessageMapEntry Document::kMessageEntries[] = {
    CommandEntry(ID_FILE_SAVE, &Document::OnFileSave),
    CommandEntry(ID_FILE_SAVE_AS, &Document::OnFileSaveAs),
    CommandEntry(ID_FILE_CLOSE, &Document::OnFileClose),
    EndOfMap(),
};
const MessageMap Document::kMessageMap = {&CmdTarget::kMessageMap, Document::kMessageEntries};

Document::~Document()
{
    for (View* view : views_) view->DetachDocument();
}

bool Document::OnNewDocument()
{
    DeleteContents();
    for (View* view : views_) view->DeleteContents();
    SetPathName(std::string(), false);
    SetModifiedFlag(false);
    return true;
}

// The file is read into the document only when the whole read succeeded
// (Serialize replaces the contents at the end), so a failed open leaves the
// document as it was.
bool Document::OnOpenDocument(const std::string& path)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno == ENOENT)
            TellUser(FormatMessageText(kFileNotFound, path));
        else if (errno == EINVAL)
            TellUser(kInvalidFileName);
        else
            TellUser(FormatMessageText(kCannotRead, path));
        return false;
    }
    Archive archive(file, Archive::Direction::Load);
    Serialize(archive);
    std::fclose(file);
    if (archive.Failed()) {
        if (!archive.FailureReported()) TellUser(kOpenDocumentFailed);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

namespace {

// The folder part of path with its trailing separator (for C:/texts/a.txt,
// with backslashes, that is C:/texts/), or "." for a bare file name.
std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// What to tell the user when the file at path cannot be replaced; error is
// the system error code of the failing call.
std::string WriteFailureText(const std::string& path, DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kDiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return kInvalidFileName;
    default:
        return FormatMessageText(kCannotWrite, path);
    }
}

// True when an existing file at path may be replaced by this program: it is
// not a folder, not read-only, and nobody holds it open against writing.
// A missing file may always be made.
bool CanReplace(const std::string& path, DWORD* error)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD why = GetLastError();
        if (why == ERROR_FILE_NOT_FOUND) return true;
        *error = why;
        return false;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
        *error = ERROR_ACCESS_DENIED;
        return false;
    }
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    CloseHandle(probe);
    return true;
}

}  // namespace

// The document is written to a new file in the same folder, which then
// takes the place of the old one. A save that fails at any step (the disk
// fills up, the document cannot write itself) leaves the old file exactly
// as it was and removes the new one.
bool Document::OnSaveDocument(const std::string& path)
{
    DWORD error = 0;
    if (!CanReplace(path, &error)) {
        TellUser(WriteFailureText(path, error));
        return false;
    }
    char temp_path[MAX_PATH] = {};
    if (GetTempFileNameA(FolderOf(path).c_str(), "lex", 0, temp_path) == 0) {
        TellUser(WriteFailureText(path, GetLastError()));
        return false;
    }
    errno = 0;
    std::FILE* file = std::fopen(temp_path, "wb");
    if (!file) {
        DeleteFileA(temp_path);
        TellUser(FormatMessageText(kCannotWrite, path));
        return false;
    }
    Archive archive(file, Archive::Direction::Store);
    Serialize(archive);
    bool written = !archive.Failed() && std::fflush(file) == 0;
    int write_errno = errno;
    bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        DeleteFileA(temp_path);
        if (!archive.FailureReported()) {
            bool disk_full = write_errno == ENOSPC || (!archive.Failed() && !written) || !closed;
            TellUser(disk_full ? kDiskFull : kSaveDocumentFailed);
        }
        return false;
    }

    DWORD old_attributes = GetFileAttributesA(path.c_str());
    if (!MoveFileExA(temp_path, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileA(temp_path);
        TellUser(WriteFailureText(path, error));
        return false;
    }
    if (old_attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), old_attributes);
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void Document::SetPathName(const std::string& path, bool add_to_recent_files)
{
    path_ = path;
    WinApp* app = WinApp::Current();
    if (add_to_recent_files && app && !path.empty()) app->AddToRecentFileList(path);
    if (template_ && template_->GetFrame()) template_->GetFrame()->UpdateTitle();
}

std::string Document::GetTitle() const
{
    if (path_.empty()) return kUntitledDocumentName;
    size_t slash = path_.find_last_of("\\/:");
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

bool Document::SaveModified()
{
    if (!modified_) return true;
    std::string name = path_.empty() ? GetTitle() : path_;
    WinApp* app = WinApp::Current();
    if (!app) return false;
    int answer = app->ShowAppMessageBox(FormatMessageText(kSaveChangesMessage, name),
                                        MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) return DoFileSave();
    return true;  // No: the changes are dropped
}

bool Document::DoFileSave()
{
    if (path_.empty()) return DoSaveAs();
    return OnSaveDocument(path_);
}

bool Document::DoSaveAs()
{
    WinApp* app = WinApp::Current();
    if (!app) return false;
    std::string path = path_.empty() ? std::string() : path_;
    std::string filter = std::string(kAllFilesFilter) + "|*.*||";
    HWND frame = template_ && template_->GetFrame() ? template_->GetFrame()->GetHwnd() : nullptr;
    if (!app->DoPromptFileName(path, "Save As", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, false,
                               filter.c_str(), frame))
        return false;
    return OnSaveDocument(path);
}

void Document::AddView(View* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void Document::RemoveView(View* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void Document::OnFileSave(Message& m)
{
    DoFileSave();
}

void Document::OnFileSaveAs(Message& m)
{
    DoSaveAs();
}

void Document::OnFileClose(Message& m)
{
    if (!SaveModified()) return;
    if (template_) template_->CloseDocument();  // frees this object: nothing follows
}
