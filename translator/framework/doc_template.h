// SingleDocTemplate: makes and keeps one document with its frame and view.
//
//   app.AddDocTemplate(std::make_unique<SingleDocTemplate>(
//       IDR_MAINFRAME, CreateDocument<CMyDoc>, CreateFrame<CMyFrame>,
//       CreateView<CMyView>));
//   app.GetTemplate(0)->OpenDocumentFile(nullptr, true);   // new document
//
// OpenDocumentFile(path, visible) creates frame (with the template's
// resource id, frame_wnd.h), document and view on first use and reuses
// them afterwards: a reused document is first offered for saving when
// modified (Cancel abandons the call), then made new (path null) or read
// from path. A document that cannot be read leaves the existing one as it
// was; a frame created for it is destroyed again. The first frame made by
// any template becomes the application's main window when there is none.
// The frame is shown with the application's show state the first time
// when it is the main window, normally otherwise.
//
// The template owns the three objects; when the frame window is destroyed
// it frees all three, and the next OpenDocumentFile creates them anew.
#ifndef LEXON_FRAMEWORK_DOC_TEMPLATE_H
#define LEXON_FRAMEWORK_DOC_TEMPLATE_H

#include "translator/framework/document.h"
#include "translator/framework/frame_wnd.h"
#include "translator/framework/view.h"

#include <memory>

class SingleDocTemplate {
public:
    typedef std::unique_ptr<Document> (*DocumentFactory)();
    typedef std::unique_ptr<FrameWnd> (*FrameFactory)();
    typedef std::unique_ptr<View> (*ViewFactory)();

    SingleDocTemplate(UINT resource_id, DocumentFactory make_document, FrameFactory make_frame,
                      ViewFactory make_view);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate&) = delete;
    SingleDocTemplate& operator=(const SingleDocTemplate&) = delete;

    // path null: a new, empty document. Returns the document, or null.
    Document* OpenDocumentFile(const char* path, bool make_visible);

    UINT GetResourceId() const { return resource_id_; }
    Document* GetDocument() const { return document_.get(); }
    FrameWnd* GetFrame() const { return frame_.get(); }
    View* GetView() const { return view_.get(); }

    bool SaveAllModified();
    // Destroys the frame (and so frees frame, view and document).
    void CloseDocument();

    // Called by the frame once its window is gone.
    void OnFrameDestroyed(FrameWnd* frame);

private:
    bool CreateFrameDocumentAndView();

    UINT resource_id_;
    DocumentFactory make_document_;
    FrameFactory make_frame_;
    ViewFactory make_view_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<FrameWnd> frame_;
    std::unique_ptr<View> view_;
    bool shown_before_ = false;
};

// Factories for the template: CreateDocument<CMyDoc>, CreateFrame<CMyFrame>,
// CreateView<CMyView>.
template <class T> std::unique_ptr<Document> CreateDocument() { return std::unique_ptr<Document>(new T()); }
template <class T> std::unique_ptr<FrameWnd> CreateFrame() { return std::unique_ptr<FrameWnd>(new T()); }
template <class T> std::unique_ptr<View> CreateView() { return std::unique_ptr<View>(new T()); }

#endif
