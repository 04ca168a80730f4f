#include "translator/framework/doc_template.h"

#include "translator/framework/app.h"

SingleDocTemplate::SingleDocTemplate(UINT resource_id, DocumentFactory make_document,
                                     FrameFactory make_frame, ViewFactory make_view)
    : resource_id_(resource_id), make_document_(make_document), make_frame_(make_frame),
      make_view_(make_view)
{
}

SingleDocTemplate::~SingleDocTemplate()
{
    CloseDocument();
    view_.reset();
    document_.reset();
    frame_.reset();
}

bool SingleDocTemplate::CreateFrameDocumentAndView()
{
    document_ = make_document_();
    frame_ = make_frame_();
    if (!document_ || !frame_) {
        document_.reset();
        frame_.reset();
        return false;
    }
    document_->SetTemplate(this);
    frame_->SetTemplate(this);
    if (!frame_->LoadFrame(resource_id_)) {
        frame_.reset();
        document_.reset();
        return false;
    }
    view_ = make_view_();
    if (!view_ || !view_->CreateView(*frame_, *document_)) {
        CloseDocument();  // the frame's destruction frees all three
        return false;
    }
    WinApp* app = WinApp::Current();
    if (app && !app->GetMainWnd()) app->SetMainWnd(frame_.get());
    shown_before_ = false;
    return true;
}

Document* SingleDocTemplate::OpenDocumentFile(const char* path, bool make_visible)
{
    bool created = false;
    if (document_) {
        if (!document_->SaveModified()) return nullptr;
    } else {
        if (!CreateFrameDocumentAndView()) return nullptr;
        created = true;
    }

    bool ok = path ? document_->OnOpenDocument(path) : document_->OnNewDocument();
    if (!ok) {
        if (created) CloseDocument();
        return nullptr;
    }
    frame_->UpdateTitle();
    if (view_) view_->OnInitialUpdate();

    if (make_visible) {
        HWND frame = frame_->GetHwnd();
        WinApp* app = WinApp::Current();
        if (!shown_before_) {
            int show = SW_SHOW;
            if (app && app->GetMainWnd() == frame_.get()) show = app->GetShowCommand();
            ShowWindow(frame, show);
            shown_before_ = true;
        } else if (IsIconic(frame)) {
            ShowWindow(frame, SW_RESTORE);
        }
        if (!IsIconic(frame)) SetForegroundWindow(frame);
        UpdateWindow(frame);
    }
    return document_.get();
}

bool SingleDocTemplate::SaveAllModified()
{
    return !document_ || document_->SaveModified();
}

void SingleDocTemplate::CloseDocument()
{
    if (frame_ && frame_->GetHwnd()) DestroyWindow(frame_->GetHwnd());
}

void SingleDocTemplate::OnFrameDestroyed(FrameWnd* frame)
{
    if (frame != frame_.get()) return;
    std::unique_ptr<FrameWnd> dying = std::move(frame_);
    view_.reset();
    document_.reset();
    shown_before_ = false;
    // dying (the calling frame) is freed on return
}
