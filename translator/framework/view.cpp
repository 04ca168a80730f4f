#include "translator/framework/view.h"

#include "translator/framework/document.h"
#include "translator/framework/frame_wnd.h"
#include "translator/framework/framework_ids.h"

const MessageMapEntry View::kMessageEntries[] = {
    MessageEntry(WM_PAINT, &View::OnPaint),
    EndOfMap(),
};
const MessageMap View::kMessageMap = {&Wnd::kMessageMap, View::kMessageEntries};

View::~View()
{
    if (document_) document_->RemoveView(this);
}

bool View::CreateView(FrameWnd& frame, Document& document)
{
    RECT client = {};
    GetClientRect(frame.GetHwnd(), &client);
    if (!Create(0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right, client.bottom,
                frame.GetHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_VIEW_PANE))))
        return false;
    document_ = &document;
    document.AddView(this);
    frame.SetActiveView(this);
    return OnCreateContent();
}

void View::OnPaint(Message& m)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc) OnDraw(dc);
    EndPaint(hwnd_, &paint);
}
