// EditView: a view that is one multi-line edit control filling its frame's
// client area, for documents whose content is a plain text.
//
//   app.AddDocTemplate(std::make_unique<SingleDocTemplate>(
//       IDR_EDITOR, CreateDocument<CMyDoc>, CreateFrame<CMyFrame>,
//       CreateView<EditView>));
//   void CMyDoc::Serialize(Archive& ar) { GetFirstView()->SerializeRaw(ar); }
//
// The text lives in the control, not in the document:
// - SerializeRaw writes the control's text to the archive, or replaces it
//   with the whole file, byte for byte (no header, no conversion of line
//   ends or characters). A file longer than MaxTextSize() is refused with
//   "The file is too large to open."; a file holding a zero byte cannot be
//   shown by an edit control without losing everything after that byte, so
//   it is refused too (the framework then says "Failed to open document.").
//   A refused file leaves the text as it was.
// - DeleteContents empties the control (the document was made new).
// - Any change of the text by the user (typing, cutting, pasting) marks the
//   document modified; text set by the framework itself does not.
//
// Commands handled (menu or keyboard shortcut of the frame): ID_EDIT_PASTE
// inserts the clipboard's text at the caret, replacing the selection, and
// does nothing when the clipboard holds no text; ID_EDIT_CUT, ID_EDIT_COPY,
// ID_EDIT_CLEAR and ID_EDIT_UNDO do what the control does for them.
//
// Font, line wrapping (none: lines scroll sideways) and colours are the
// system's defaults for an edit control.
#ifndef LEXON_FRAMEWORK_EDIT_VIEW_H
#define LEXON_FRAMEWORK_EDIT_VIEW_H

#include "translator/framework/view.h"

#include <string>

class EditView : public View {
public:
    // The most text the control takes, in bytes: 1 MiB less one.
    static constexpr size_t kDefaultMaxTextSize = 1024u * 1024u - 1u;

    EditView() = default;

    HWND GetEditControl() const { return edit_; }
    std::string GetEditText() const;
    // Replaces the text as the framework does (the document's modified
    // flag is left alone).
    void SetEditText(const std::string& text);

    size_t MaxTextSize() const { return max_text_size_; }
    // Changes the limit; call before the view is created.
    void SetMaxTextSize(size_t size) { max_text_size_ = size; }

    bool OnCreateContent() override;
    void OnInitialUpdate() override;
    void DeleteContents() override;
    void SerializeRaw(Archive& archive) override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

    // Child id of the edit control inside the view.
    static constexpr int kEditControlId = 0xE900;

private:
    static const MessageMapEntry kMessageEntries[];

    void OnSize(Message& m);
    void OnSetFocus(Message& m);
    void OnEditChange(Message& m);
    void OnEditPaste(Message& m);
    void OnEditCut(Message& m);
    void OnEditCopy(Message& m);
    void OnEditClear(Message& m);
    void OnEditUndo(Message& m);

    HWND edit_ = nullptr;
    size_t max_text_size_ = kDefaultMaxTextSize;
    bool setting_text_ = false;  // true while the framework replaces the text
};

#endif
