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

bool Document::OnSaveDocument(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        TellUser(FormatMessageText(kCannotWrite, path));
        return false;
    }
    Archive archive(file, Archive::Direction::Store);
    Serialize(archive);
    bool closed = std::fclose(file) == 0;
    if (archive.Failed() || !closed) {
        if (!archive.FailureReported()) TellUser(closed ? kSaveDocumentFailed : kDiskFull);
        return false;
    }
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
    if (!app->DoPromptFileName(path, "Save As", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, false,
                               filter.c_str()))
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
