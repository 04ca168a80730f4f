#include "translator/framework/app.h"

#include "translator/framework/dialog.h"
#include "translator/framework/dialog_colors.h"
#include "translator/framework/doc_template.h"
#include "translator/framework/file_dialog.h"
#include "translator/framework/frame_wnd.h"
#include "translator/framework/framework_ids.h"
#include "translator/framework/modal_prompt_scope.h"

#include <ole2.h>

namespace {
WinApp* g_current_app = nullptr;
}

const MessageMapEntry WinApp::kMessageEntries[] = {
    CommandEntry(ID_APP_EXIT, &WinApp::OnAppExit),
    EndOfMap(),
};
const MessageMap WinApp::kMessageMap = {&CmdTarget::kMessageMap, WinApp::kMessageEntries};

WinApp::WinApp() : ui_thread_id_(GetCurrentThreadId())
{
    g_current_app = this;
}

WinApp::~WinApp()
{
    templates_.clear();
    if (ole_initialised_) OleUninitialize();
    if (g_current_app == this) g_current_app = nullptr;
}

WinApp* WinApp::Current()
{
    return g_current_app;
}

HINSTANCE WinApp::GetInstance() const
{
    return GetModuleHandleA(nullptr);
}

HWND WinApp::GetMainHwnd() const
{
    return main_wnd_ ? main_wnd_->GetHwnd() : nullptr;
}

int WinApp::RunApplication(int show_command)
{
    show_command_ = show_command;
    ui_thread_id_ = GetCurrentThreadId();
    if (!InitInstance()) {
        CloseAllOtherDocuments();
        if (main_wnd_ && main_wnd_->GetHwnd()) DestroyWindow(main_wnd_->GetHwnd());
        ExitInstance();
        return 1;
    }
    return Run();
}

int WinApp::Run()
{
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
    int code = ExitInstance();
    return code != 0 ? code : static_cast<int>(msg.wParam);
}

int WinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

void WinApp::ProcessMessage(MSG& msg)
{
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WinApp::PreTranslateMessage(MSG* msg)
{
    if (!msg->hwnd) return false;
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    Dialog* dialog = Dialog::FromDialogHandle(root);
    if (dialog && !dialog->IsModal()) return IsDialogMessageA(root, msg) != 0;
    FrameWnd* frame = dynamic_cast<FrameWnd*>(Wnd::FromHandle(root));
    if (frame) return frame->PreTranslateMessage(msg);
    return false;
}

SingleDocTemplate* WinApp::AddDocTemplate(std::unique_ptr<SingleDocTemplate> doc_template)
{
    templates_.push_back(std::move(doc_template));
    return templates_.back().get();
}

SingleDocTemplate* WinApp::GetTemplate(size_t index) const
{
    return index < templates_.size() ? templates_[index].get() : nullptr;
}

bool WinApp::SaveAllModified()
{
    for (auto& t : templates_)
        if (!t->SaveAllModified()) return false;
    return true;
}

void WinApp::CloseAllOtherDocuments()
{
    for (auto& t : templates_)
        if (t->GetFrame() && t->GetFrame() != main_wnd_) t->CloseDocument();
}

bool WinApp::InitOle()
{
    HRESULT hr = OleInitialize(nullptr);
    ole_initialised_ = SUCCEEDED(hr);
    return ole_initialised_;
}

std::string WinApp::ExecutableBaseName() const
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string WinApp::ProfileName() const
{
    return profile_name_.empty() ? ExecutableBaseName() + ".INI" : profile_name_;
}

void WinApp::LoadStdProfileSettings(int recent_file_count)
{
    profile_.reset(new IniProfileStore(ProfileName()));
    recent_files_.reset(new RecentFileList("Recent File List", "File%d", recent_file_count));
    recent_files_->Load(*profile_);
}

void WinApp::SaveStdProfileSettings()
{
    if (profile_ && recent_files_) recent_files_->Save(*profile_);
}

void WinApp::AddToRecentFileList(const std::string& path)
{
    if (recent_files_) recent_files_->Add(path);
}

std::string WinApp::AppTitle() const
{
    char title[256] = {};
    if (LoadStringA(GetInstance(), IDS_APP_TITLE, title, sizeof title) > 0) return title;
    return ExecutableBaseName();
}

int WinApp::ShowAppMessageBox(const std::string& text, UINT flags) const
{
    std::string caption = AppTitle();
    HWND owner = GetActiveWindow();
    ModalPromptScope modal(owner);
    return ShowColoredMessageBox(owner, text.c_str(), caption.c_str(), flags);
}

bool WinApp::DoPromptFileName(std::string& path, const char* title, DWORD flags, bool open_file,
                              const char* filter, HWND owner)
{
    FileDialog prompt(open_file ? FileDialog::Mode::Open : FileDialog::Mode::Save, flags,
                      path.c_str(), filter);
    prompt.SetTitle(title);
    if (prompt.DoModal(owner) != IDOK) return false;
    path = prompt.GetPathName();
    return true;
}

void WinApp::ShowHelpIndex()
{
    std::string help_file = ExecutableBaseName() + ".HLP";
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length < MAX_PATH ? length : 0);
    size_t slash = full.find_last_of("\\/");
    if (slash != std::string::npos) help_file = full.substr(0, slash + 1) + help_file;
    WinHelpA(GetMainHwnd(), help_file.c_str(), HELP_INDEX, 0);
}

void WinApp::OnAppExit(Message& m)
{
    if (GetMainHwnd()) SendMessageA(GetMainHwnd(), WM_CLOSE, 0, 0);
}
