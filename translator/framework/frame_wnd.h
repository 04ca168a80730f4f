// FrameWnd: a top-level window with a menu that holds one view in its
// client area. Frames are made by a document template (doc_template.h),
// which owns the frame, its view and its document.
//
// LoadFrame(resource_id) takes from the program's resources, all under the
// same id: the menu, the title (first "\n"-separated part of the string
// with that id) and the accelerator table. A missing resource is simply
// absent (no menu, no title, no shortcuts). Caption: the title when there
// is one, otherwise the name of the document (UpdateTitle).
//
// Commands that reach the frame (menu, accelerators) are routed: active
// view, its document, the frame's own map, the application (cmd_target.h).
// Closing a frame (WM_CLOSE): the main window first lets the application
// offer to save every modified document and closes the other documents;
// any other frame offers to save its own document. Cancel keeps
// everything open. A frame that is disabled (a prompt of the program is
// open) ignores WM_CLOSE. Destroying the main window ends the message loop.
//
// Handlers for derived maps: OnHelpIndex (ID_HELP_INDEX).
#ifndef LEXON_FRAMEWORK_FRAME_WND_H
#define LEXON_FRAMEWORK_FRAME_WND_H

#include "translator/framework/window.h"

#include <string>

class Document;
class SingleDocTemplate;
class View;

class FrameWnd : public Wnd {
public:
    FrameWnd() = default;
    ~FrameWnd() override;

    // Creates the window (hidden) with the resources of resource_id.
    bool LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW);

    UINT GetResourceId() const { return resource_id_; }
    const std::string& GetTitle() const { return title_; }
    HACCEL GetAccelerators() const { return accelerators_; }

    View* GetActiveView() const { return view_; }
    void SetActiveView(View* view) { view_ = view; }
    Document* GetActiveDocument() const;
    void SetTemplate(SingleDocTemplate* doc_template) { template_ = doc_template; }
    SingleDocTemplate* GetTemplate() const { return template_; }

    void UpdateTitle();
    // Keyboard shortcuts of this frame; true when msg was consumed.
    virtual bool PreTranslateMessage(MSG* msg);

    bool OnCmdMsg(Message& m) override;
    void PostNcDestroy() override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

    // ID_HELP_INDEX handler for derived maps: the program's help file.
    void OnHelpIndex(Message& m);

protected:
    void OnClose(Message& m);
    void OnQueryEndSession(Message& m);
    void OnSize(Message& m);
    void OnSetFocus(Message& m);
    void OnDestroy(Message& m);

private:
    static const MessageMapEntry kMessageEntries[];

    UINT resource_id_ = 0;
    std::string title_;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    View* view_ = nullptr;
    SingleDocTemplate* template_ = nullptr;
};

#endif
