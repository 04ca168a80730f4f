// CClipboardResultDlg: the result of a clipboard translation (dialog 123,
// "Clipboard"): one multi-line edit field with a vertical scroll bar and
// an OK button. The text starts empty; the clipboard worker appends every
// output piece and then runs the dialog modally once.
#ifndef LEXON_TRANSLATE_CLIPBOARD_RESULT_DLG_H
#define LEXON_TRANSLATE_CLIPBOARD_RESULT_DLG_H

#include "translator/framework/dialog.h"

#include <string>

class CClipboardResultDlg : public Dialog {
public:
    CClipboardResultDlg();

    void AppendText(const std::string& piece) { text_ += piece; }
    const std::string& Text() const { return text_; }

    void DoDataExchange(DataExchange& dx) override;

private:
    std::string text_;
};

#endif
