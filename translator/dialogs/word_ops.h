// The dictionary editing operations behind the add-word and search dialogs
// and the lexon add, search and delete commands. Portable: no <windows.h>.
//
//   AddWordRecord  one word pair becomes a new record of the table and one
//                  new key in each index (the Add button, the first half of
//                  Modify, `lexon add`).
//   WordSearch     the state and operations of the search dialog: the field
//                  texts as last exchanged with the controls, the status
//                  line, the current record and the search language, and
//                  Search, Clear, ChooseListEntry (double-click), Modify and
//                  Delete. The dialog (or the command line) supplies a
//                  SearchWordView that holds the word list, shows the
//                  fields and shows a verb analysis.
//
// Every failure is shown with ShowErrorBox (messages.h) before the
// operation gives up; the dialog stays usable. Each operation holds the
// dictionary guard (dictionary_guard.h) while it has files open, so none
// runs while the Index command rebuilds the indexes. Add, Modify and Delete
// hold a writing use, so they are refused, before anything is written,
// while a translation reads the dictionary.
#ifndef LEXON_DIALOGS_WORD_OPS_H
#define LEXON_DIALOGS_WORD_OPS_H

#include "translator/storage/dictionary.h"

#include <cstdint>
#include <string>

// Field limits of both dialogs, in characters.
const std::size_t kWordFieldLimit = 21;
const std::size_t kClassFieldLimit = 5;

// Status line texts of the search dialog.
extern const char kStatusFound[];            // "Register found and displayed"
extern const char kStatusNoMatch[];          // "I can't find any match"
extern const char kStatusAddingForModify[];  // "Adding a record to the main DBF"
extern const char kStatusModified[];         // "Current displayed record has been modified"
extern const char kStatusCleared[];          // " "

// Adds a word pair (texts as typed; they are converted to the stored form
// in the record image, never in place). The order of writes is fixed: the
// table record, then the English key, then the Spanish key. The table and
// both indexes are opened before anything is written, so a missing or
// unreadable index refuses the addition without leaving a record behind.
// 0, or -1 after the failure was shown.
int16_t AddWordRecord(const char* word_class, const char* spanish, const char* english,
                      const DictionaryFiles& files = DictionaryFiles());

// What the search operations need from their window.
class SearchWordView {
public:
    virtual ~SearchWordView() = default;
    // Adds an entry to the word list (text: a key in display form, blank
    // padded; record: its record number). False when the list refuses it.
    virtual bool AddListEntry(const std::string& text, int32_t record) = 0;
    virtual void ClearList() = 0;
    // Puts the field texts and the status text into the controls. False
    // when that failed (the operation then stops).
    virtual bool ShowFields() = 0;
    // Shows the verb analysis of a word that was not found (modal).
    virtual void ShowVerbAnalysis(const std::string& infinitive, const std::string& form) = 0;
};

// The members of the search dialog, as last exchanged with its controls.
struct WordFields {
    std::string english;
    std::string spanish;
    std::string word_class;
    std::string status;
};

class WordSearch {
public:
    explicit WordSearch(SearchWordView& view, const DictionaryFiles& files = DictionaryFiles());

    WordFields fields;

    int16_t SearchLanguage() const { return search_language_; }
    int32_t CurrentRecord() const { return current_record_; }

    // The Search button, after the fields were read from the controls.
    void Search();
    // The Clear button.
    void Clear();
    // A double-click on the list entry whose item data is record (0 or a
    // negative value: no entry chosen, nothing happens).
    void ChooseListEntry(int32_t record);
    // The Modify button, after the fields were read from the controls.
    void Modify();
    // The Delete button: works on the fields as last exchanged. With a
    // current record, that record's entries go; without one, the record
    // that holds both words. True when the record was deleted; otherwise
    // the status says it was not found, or the failure has been shown.
    bool Delete();

private:
    bool SearchIndex(int language, const std::string& typed_word, int32_t* record);
    void AnalyseVerbForm(const std::string& typed_word);
    void FillFollowingWords(const std::string& typed_word);
    // The record keyed under english whose Spanish word is spanish (-1 when
    // none). False when the files cannot be opened (already shown).
    bool FindPairRecord(const std::string& english, const std::string& spanish, int32_t* record);

    SearchWordView& view_;
    DictionaryFiles files_;
    int16_t search_language_ = 0;
    int32_t current_record_ = 0;
};

// Display form of a stored text of at most max_bytes bytes (up to its NUL).
std::string DisplayText(const char* stored, std::size_t max_bytes);

#endif
