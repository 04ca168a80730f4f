// CSearchWordDlg: the search, modify and delete dialog (template 135,
// "Search a Word"). The work is done by a WordSearch (word_ops.h) that
// holds the field texts, the status line, the current record and the
// search language; this class is its window:
//
//   Search (IDOK, Enter)  read the fields (length checks), WordSearch::Search;
//                         the dialog stays open
//   Cancel (IDCANCEL)     the framework's Cancel: closes the dialog
//   Clear (1006)          WordSearch::Clear
//   Modify (1007)         read the fields, WordSearch::Modify
//   Delete (1014)         WordSearch::Delete on the fields as last exchanged
//   list 1012 double-click  WordSearch::ChooseListEntry with the item data
//
// The word list is a sorted list box; each entry's text is a key in
// display form and its item data the key's record number. A word that is
// not found but is a verb form is shown in CConjugationResultDlg.
#ifndef LEXON_DIALOGS_SEARCH_WORD_DLG_H
#define LEXON_DIALOGS_SEARCH_WORD_DLG_H

#include "translator/dialogs/word_ops.h"
#include "translator/framework/dialog.h"

#include <string>

class CSearchWordDlg : public Dialog, private SearchWordView {
public:
    explicit CSearchWordDlg(const DictionaryFiles& files = DictionaryFiles());

    const WordSearch& Search() const { return search_; }

    void DoDataExchange(DataExchange& dx) override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];
    void OnSearch(Message& m);
    void OnClear(Message& m);
    void OnModify(Message& m);
    void OnDelete(Message& m);
    void OnListDoubleClick(Message& m);

    // SearchWordView
    bool AddListEntry(const std::string& text, int32_t record) override;
    void ClearList() override;
    bool ShowFields() override;
    void ShowVerbAnalysis(const std::string& infinitive, const std::string& form) override;

    Control word_list_;
    WordSearch search_;
};

#endif
