// Document: the data behind one or more views, with a modified flag, a
// path, and serialisation to and from a file through an Archive.
//
// A derived document overrides Serialize (and DeleteContents when it keeps
// data of its own). The framework calls:
// - OnNewDocument: empties the document (DeleteContents, then each view's
//   DeleteContents), no path, title "Untitled", not modified;
// - OnOpenDocument(path): opens the file in binary mode and calls
//   Serialize with a loading archive; on success the document takes the
//   path and the file enters the recent-file list; on failure the user is
//   told in the framework's message box and false is returned;
// - OnSaveDocument(path): the same for storing, through a new file in the
//   same folder that replaces the old file only once everything was
//   written: a failed save leaves the old file as it was;
// - SaveModified: when modified, asks "Save changes to %1?" (Yes, No,
//   Cancel) and saves on Yes; false means the user cancelled.
//
// Message map: ID_FILE_SAVE (save, asking for a name first when untitled),
// ID_FILE_SAVE_AS, ID_FILE_CLOSE (save prompt, then the frame closes).
#ifndef LEXON_FRAMEWORK_DOCUMENT_H
#define LEXON_FRAMEWORK_DOCUMENT_H

#include "translator/framework/archive.h"
#include "translator/framework/cmd_target.h"

#include <string>
#include <vector>

class SingleDocTemplate;
class View;

class Document : public CmdTarget {
public:
    Document() = default;
    ~Document() override;

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path);
    virtual bool OnSaveDocument(const std::string& path);
    virtual void DeleteContents() {}
    virtual void Serialize(Archive& archive) {}

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    const std::string& GetPathName() const { return path_; }
    void SetPathName(const std::string& path, bool add_to_recent_files = true);
    // The name shown to the user: the file name of the path, or "Untitled".
    std::string GetTitle() const;

    virtual bool SaveModified();
    // Saves to the current path, or through the Save As prompt when there is
    // none; false when cancelled or failed.
    bool DoFileSave();
    bool DoSaveAs();

    void AddView(View* view);
    void RemoveView(View* view);
    View* GetFirstView() const { return views_.empty() ? nullptr : views_.front(); }

    SingleDocTemplate* GetTemplate() const { return template_; }
    void SetTemplate(SingleDocTemplate* doc_template) { template_ = doc_template; }

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];

protected:
    void OnFileSave(Message& m);
    void OnFileSaveAs(Message& m);
    void OnFileClose(Message& m);

private:
    bool modified_ = false;
    std::string path_;
    std::vector<View*> views_;
    SingleDocTemplate* template_ = nullptr;
};

#endif
