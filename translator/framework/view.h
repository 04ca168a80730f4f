// View: a child window that fills its frame's client area and shows one
// document. This plain view paints through OnDraw, which draws nothing by
// default; derived views (an edit view, for instance) create their own
// content in OnCreateContent and take part in serialisation through their
// document.
//
// A document template creates the view inside a new frame (CreateView) and
// calls OnInitialUpdate after the document was made new or read.
#ifndef LEXON_FRAMEWORK_VIEW_H
#define LEXON_FRAMEWORK_VIEW_H

#include "translator/framework/archive.h"
#include "translator/framework/window.h"

class Document;
class FrameWnd;

class View : public Wnd {
public:
    View() = default;
    ~View() override;

    bool CreateView(FrameWnd& frame, Document& document);
    Document* GetDocument() const { return document_; }
    void DetachDocument() { document_ = nullptr; }

    virtual void OnDraw(HDC dc) {}
    virtual void OnInitialUpdate() { InvalidateRect(hwnd_, nullptr, TRUE); }
    // Called once the child window exists (e.g. to create an edit control).
    virtual bool OnCreateContent() { return true; }
    // Reads or writes the view's whole content through archive, for a
    // document that keeps its data in its view (an edit view's text). The
    // plain view holds nothing to serialise: the archive fails.
    virtual void SerializeRaw(Archive& archive) { archive.SetFailed(); }
    // Empties what the view holds for its document (an edit view's text);
    // called when the document is made new. The plain view holds nothing.
    virtual void DeleteContents() {}

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];

protected:
    void OnPaint(Message& m);

private:
    Document* document_ = nullptr;
};

#endif
