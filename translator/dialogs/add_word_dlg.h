// CAddWordDlg: the add-word dialog (template 136, "Add a word to the main
// dictionary"). It has no handlers of its own: Add is the framework's OK
// (the texts are taken from the controls with their length checks, Spanish
// first, then the class code, then English, and the dialog closes with
// IDOK), "Cancel/Exit" closes with IDCANCEL. The Words > Add command
// (RunAddWordLoop) shows the same object again after every addition, so the
// fields keep the texts just added, as typed.
#ifndef LEXON_DIALOGS_ADD_WORD_DLG_H
#define LEXON_DIALOGS_ADD_WORD_DLG_H

#include "translator/framework/dialog.h"

#include <string>

class CAddWordDlg : public Dialog {
public:
    CAddWordDlg();

    const std::string& Spanish() const { return spanish_; }
    const std::string& WordClass() const { return word_class_; }
    const std::string& English() const { return english_; }

    void DoDataExchange(DataExchange& dx) override;

private:
    std::string spanish_;
    std::string word_class_;
    std::string english_;
};

#endif
