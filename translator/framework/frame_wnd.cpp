#include "translator/framework/frame_wnd.h"

#include "translator/framework/app.h"
#include "translator/framework/doc_template.h"

const MessageMapEntry FrameWnd::kMessageEntries[] = {
    MessageEntry(WM_CLOSE, &FrameWnd::OnClose),
    MessageEntry(WM_QUERYENDSESSION, &FrameWnd::OnQueryEndSession),
    MessageEntry(WM_SIZE, &FrameWnd::OnSize),
    MessageEntry(WM_SETFOCUS, &FrameWnd::OnSetFocus),
    MessageEntry(WM_DESTROY, &FrameWnd::OnDestroy),
    EndOfMap(),
};
const MessageMap FrameWnd::kMessageMap = {&Wnd::kMessageMap, FrameWnd::kMessageEntries};

FrameWnd::~FrameWnd() = default;

bool FrameWnd::LoadFrame(UINT resource_id, DWORD style)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    resource_id_ = resource_id;

    char text[512] = {};
    title_.clear();
    if (LoadStringA(instance, resource_id, text, sizeof text) > 0) {
        title_ = text;
        size_t newline = title_.find('\n');
        if (newline != std::string::npos) title_.erase(newline);
    }
    menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(resource_id));
    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resource_id));

    if (!Create(0, title_.c_str(), style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu_)) {
        if (menu_) DestroyMenu(menu_);
        menu_ = nullptr;
        return false;
    }
    WinApp* app = WinApp::Current();
    if (app && app->GetProgramIcon()) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app->GetProgramIcon()));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app->GetProgramIcon()));
    }
    return true;
}

Document* FrameWnd::GetActiveDocument() const
{
    return view_ ? view_->GetDocument() : nullptr;
}

void FrameWnd::UpdateTitle()
{
    if (!hwnd_) return;
    std::string caption = title_;
    if (caption.empty()) {
        Document* document = GetActiveDocument();
        if (document) caption = document->GetTitle();
    }
    SetWindowTextA(hwnd_, caption.c_str());
}

bool FrameWnd::PreTranslateMessage(MSG* msg)
{
    if (!accelerators_ || !hwnd_) return false;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    return TranslateAcceleratorA(hwnd_, accelerators_, msg) != 0;
}

bool FrameWnd::OnCmdMsg(Message& m)
{
    if (view_ && view_->OnCmdMsg(m)) return true;
    Document* document = GetActiveDocument();
    if (document && document->OnCmdMsg(m)) return true;
    if (DispatchMessageToMap(m)) return true;
    WinApp* app = WinApp::Current();
    return app && app->OnCmdMsg(m);
}

void FrameWnd::OnClose(Message& m)
{
    // A disabled frame waits for one of the program's prompts, whose caller
    // may still be using this frame and its document (modal_prompt_scope.h):
    // the frame is not closed under it.
    if (!IsWindowEnabled(hwnd_)) return;
    WinApp* app = WinApp::Current();
    if (app && app->GetMainWnd() == this) {
        if (!app->SaveAllModified()) return;
        app->CloseAllOtherDocuments();
    } else {
        Document* document = GetActiveDocument();
        if (document && !document->SaveModified()) return;
    }
    DestroyWindow(hwnd_);  // may free this object: nothing follows
}

// Windows asks whether the session may end (shut down, log off): the main
// window asks to save every modified document, as closing the program
// does, and Cancel keeps the session. While one of the program's prompts is
// open (the frame is disabled) the session is kept too: the command that
// shows it has not finished.
void FrameWnd::OnQueryEndSession(Message& m)
{
    m.result = TRUE;
    WinApp* app = WinApp::Current();
    if (!app || app->GetMainWnd() != this) return;
    if (!IsWindowEnabled(hwnd_) || !app->SaveAllModified()) m.result = FALSE;
}

void FrameWnd::OnSize(Message& m)
{
    Default(m);
    if (view_ && view_->GetHwnd() && m.wparam != SIZE_MINIMIZED)
        MoveWindow(view_->GetHwnd(), 0, 0, LOWORD(m.lparam), HIWORD(m.lparam), TRUE);
}

void FrameWnd::OnSetFocus(Message& m)
{
    if (view_ && view_->GetHwnd())
        SetFocus(view_->GetHwnd());
    else
        Default(m);
}

void FrameWnd::OnDestroy(Message& m)
{
    Default(m);
    WinApp* app = WinApp::Current();
    if (app && app->GetMainWnd() == this) PostQuitMessage(0);
}

void FrameWnd::OnHelpIndex(Message& m)
{
    WinApp* app = WinApp::Current();
    if (app) app->ShowHelpIndex();
}

void FrameWnd::PostNcDestroy()
{
    WinApp* app = WinApp::Current();
    if (app && app->GetMainWnd() == this) app->SetMainWnd(nullptr);
    view_ = nullptr;
    if (template_) template_->OnFrameDestroyed(this);  // frees this object
}
