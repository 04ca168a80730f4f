// The dictionary editing operations: adding a word pair, and the search,
// list, modify and delete operations of the search dialog.
#include "translator/dialogs/word_ops.h"

#include "translator/app/messages.h"
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary_guard.h"
#include "translator/translate/dictionary_source.h"
#include "translator/translate/search_analysis.h"
#include "translator/translate/text_translator.h"

#include <cstring>

const char kStatusFound[] = "Register found and displayed";
const char kStatusNoMatch[] = "I can't find any match";
const char kStatusAddingForModify[] = "Adding a record to the main DBF";
const char kStatusModified[] = "Current displayed record has been modified";
const char kStatusCleared[] = " ";

namespace {

const char kIndexOpenFailed[] = "I can't open the main Index, reindex please";
const char kNothingToSearch[] = "You must fill at least one field to perform a search";
const char kListRefused[] = "Error asigning RECNO to a member list";
const char kSelectBeforeModify[] = "You must select a record before modify it";
const char kSelectBeforeDelete[] = "You can't delete a record if you haven't selected it";
const char kTableOpenFailed[] = "I can't open the Main Database File";

// Entries of the word list are blank padded to at least this width.
const std::size_t kListEntryWidth = 19;
// The list receives at most this many following words per search.
const int kFollowingWords = 15;
// Room of the search key: the typed word (at most 21 bytes) and its NUL.
const int kSearchKeySize = 30;

// A text is "filled in" when it sorts after a single blank, and "missing"
// when it sorts before it (the empty text); a lone blank is neither.
bool IsFilledIn(const std::string& text)
{
    return std::strcmp(text.c_str(), " ") > 0;
}

bool IsMissing(const std::string& text)
{
    return std::strcmp(text.c_str(), " ") < 0;
}

const std::string& IndexFileOf(const DictionaryFiles& files, int language)
{
    return language == kEnglish ? files.english_index : files.spanish_index;
}

// A typed word cut to the significant bytes of a stored word. The table
// keeps 20 bytes of a word and its keys are made from the stored word, so
// a word typed with 21 characters is found under its first 20.
std::string SignificantPart(const std::string& typed_word)
{
    return typed_word.substr(0, kMaxWordLength);
}

// The search key of a typed word: its significant bytes in stored form, in
// a zeroed buffer of kSearchKeySize bytes (Seek blank pads it in place).
void MakeSearchKey(const std::string& typed_word, char* key)
{
    std::memset(key, 0, kSearchKeySize);
    std::string significant = SignificantPart(typed_word);
    std::memcpy(key, significant.data(), significant.size());
    ConvertDictionaryText(key);
}

// Moves from the entry Seek found (record n) to the entry of current_record
// with Next: the record number reached, or 0 when the end of the index
// comes first. With no current record, n is returned as it is. The walk is
// bounded by the number of entries the file can hold, so a damaged leaf
// chain cannot keep it going.
int32_t AdvanceToCurrentRecord(BTREE& index, int16_t h, int32_t n, int32_t current_record)
{
    if (current_record <= 0) return n;
    const IndexHeader* header = index.Header(h);
    uint64_t steps_left = header ? uint64_t(header->next_page) * uint64_t(header->max_items + 1) : 0;
    while (n != 0 && n != current_record) {
        if (steps_left-- == 0) return 0;
        n = index.Next(h);
    }
    return n;
}

}  // namespace

std::string DisplayText(const char* stored, std::size_t max_bytes)
{
    std::size_t length = 0;
    while (length < max_bytes && stored[length] != 0) ++length;
    return ConvertDictionaryText(std::string(stored, length));
}

int16_t AddWordRecord(const char* word_class, const char* spanish, const char* english,
                      const DictionaryFiles& files)
{
    return AddWordPair(english ? english : "", spanish ? spanish : "", word_class ? word_class : "", files);
}

WordSearch::WordSearch(SearchWordView& view, const DictionaryFiles& files) : view_(view), files_(files) {}

bool WordSearch::SearchIndex(int language, const std::string& typed_word, int32_t* record)
{
    BTREE index;
    int16_t h = OpenDictionaryIndex(index, IndexFileOf(files_, language));
    if (h < 0) {
        ShowErrorBox(kIndexOpenFailed);
        return false;
    }
    char key[kSearchKeySize];
    MakeSearchKey(typed_word, key);
    int32_t n = index.Seek(h, key);
    *record = AdvanceToCurrentRecord(index, h, n, current_record_);
    index.Close(h);
    return true;
}

void WordSearch::Search()
{
    int32_t remembered_record = current_record_;
    if (IsFilledIn(fields.word_class)) current_record_ = 0;   // a class code starts afresh
    if (IsFilledIn(fields.english) && IsFilledIn(fields.spanish)) {
        current_record_ = remembered_record;   // both words given: nothing to search
        return;
    }

    int language;
    std::string typed_word;
    if (!fields.english.empty()) {
        language = kEnglish;
        typed_word = fields.english;
    } else if (!fields.spanish.empty()) {
        language = kSpanish;
        typed_word = fields.spanish;
    } else {
        ShowErrorBox(kNothingToSearch);
        return;
    }

    DictionaryUse use;
    if (!use.Granted()) return;
    search_language_ = static_cast<int16_t>(language);
    int32_t n = 0;
    if (!SearchIndex(language, typed_word, &n)) return;

    if (n <= 0) {
        AnalyseVerbForm(typed_word);
        return;
    }

    char image[kRecordImageSize];
    if (FetchRecord(n, image, files_) != 0) return;
    current_record_ = n;
    image[kClassOffset + 4] = 0;   // the class code is shown with 4 characters at most
    fields.english = DisplayText(image + kEnglishOffset, kWordFieldWidth);
    fields.spanish = DisplayText(image + kSpanishOffset, kWordFieldWidth);
    fields.word_class = DisplayText(image + kClassOffset, kClassLength);
    fields.status = kStatusFound;
    FillFollowingWords(typed_word);
    view_.ShowFields();
}

void WordSearch::AnalyseVerbForm(const std::string& typed_word)
{
    {
        int target = search_language_ == kEnglish ? kSpanish : kEnglish;
        TextTranslator translator(search_language_, target, files_);
        if (translator.OpenSourceIndex() != 0) return;   // it has shown why
        VerbAnalysis& analysis = translator.Analysis();
        if (AnalyseSearchWord(search_language_, typed_word.c_str(), analysis, translator) == 0)
            view_.ShowVerbAnalysis(analysis.infinitive, analysis.form);
    }
    fields.status = kStatusNoMatch;
    view_.ShowFields();
}

void WordSearch::FillFollowingWords(const std::string& typed_word)
{
    BTREE index;
    int16_t h = OpenDictionaryIndex(index, IndexFileOf(files_, search_language_));
    if (h < 0) {
        ShowErrorBox(kIndexOpenFailed);
        return;
    }
    char key[kSearchKeySize];
    MakeSearchKey(typed_word, key);
    int32_t n = AdvanceToCurrentRecord(index, h, index.Seek(h, key), current_record_);
    for (int i = 0; n != 0 && i < kFollowingWords; ++i) {
        n = index.Next(h);
        if (n == 0) break;
        std::memset(key, 0, sizeof key);
        index.CurrentKey(h, key);
        std::string text = DisplayText(key, kDictionaryKeyLength);
        if (text.size() < kListEntryWidth) text.append(kListEntryWidth - text.size(), ' ');
        if (!view_.AddListEntry(text, n)) {
            ShowErrorBox(kListRefused);
            break;
        }
    }
    index.Close(h);
}

void WordSearch::Clear()
{
    fields.english.clear();
    fields.spanish.clear();
    fields.word_class.clear();
    current_record_ = 0;
    view_.ClearList();
    fields.status = kStatusCleared;
    view_.ShowFields();
}

void WordSearch::ChooseListEntry(int32_t record)
{
    if (record <= 0) return;
    Clear();
    char image[kRecordImageSize];
    if (FetchRecord(record, image, files_) != 0) return;
    current_record_ = record;
    if (search_language_ == kEnglish)
        fields.english = DisplayText(image + kEnglishOffset, kWordFieldWidth);
    else
        fields.spanish = DisplayText(image + kSpanishOffset, kWordFieldWidth);
    if (!view_.ShowFields()) return;
    Search();
}

void WordSearch::Modify()
{
    if (IsMissing(fields.english) || IsMissing(fields.spanish) || current_record_ <= 0) {
        ShowErrorBox(kSelectBeforeModify);
        return;
    }
    // Held from the addition to the deletion, so that neither a rebuild of
    // the indexes nor a translation can come between the two halves, and
    // a refusal comes before anything was written.
    DictionaryUse use(DictionaryAccess::kWriting);
    if (!use.Granted()) return;
    if (AddWordRecord(fields.word_class.c_str(), fields.spanish.c_str(), fields.english.c_str(), files_) != 0)
        return;

    char image[kRecordImageSize];
    std::memset(image, 0, sizeof image);
    DBF table;
    if (table.Open(0, files_.table.c_str()) != 0) {
        ShowErrorBox(kTableOpenFailed);
        return;
    }
    int16_t read = table.ReadRecord(image, current_record_);
    table.Close();
    if (read != 0) return;   // the new record stays; the old one is untouched

    int32_t old_record = current_record_;
    Clear();
    fields.english = DisplayText(image + kEnglishOffset, kWordFieldWidth);
    fields.spanish = DisplayText(image + kSpanishOffset, kWordFieldWidth);
    current_record_ = old_record;
    fields.status = kStatusAddingForModify;
    if (!view_.ShowFields()) return;

    // The modification is reported only when the old record went; when it
    // could not be deleted, the status Delete showed stays.
    if (Delete()) {
        fields.status = kStatusModified;
        view_.ShowFields();
    }
    current_record_ = 0;
}

bool WordSearch::FindPairRecord(const std::string& english, const std::string& spanish, int32_t* record)
{
    *record = -1;
    DBF table;
    if (table.Open(0, files_.table.c_str()) != 0) {
        ShowErrorBox(kTableOpenFailed);
        return false;
    }
    BTREE index;
    int16_t h = OpenDictionaryIndex(index, files_.english_index);
    if (h < 0) {
        ShowErrorBox(kIndexOpenFailed);
        return false;
    }
    char key[kSearchKeySize];
    MakeSearchKey(english, key);   // blank padded by Seek
    char wanted_spanish[kSearchKeySize];
    MakeSearchKey(spanish, wanted_spanish);
    const IndexHeader* header = index.Header(h);
    uint64_t steps_left = header ? uint64_t(header->next_page) * uint64_t(header->max_items + 1) : 0;
    int32_t n = index.Seek(h, key);
    while (n > 0 && steps_left-- > 0) {
        char image[kRecordImageSize];
        std::memset(image, 0, sizeof image);
        if (table.ReadRecord(image, n) == 0 && !IsDeletedRecord(image) &&
            std::strncmp(image + kSpanishOffset, wanted_spanish, kMaxWordLength) == 0) {
            *record = n;
            break;
        }
        n = index.Next(h);
        char key_at_cursor[kSearchKeySize] = {};
        if (n > 0) index.CurrentKey(h, key_at_cursor);
        if (n > 0 && std::memcmp(key_at_cursor, key, kDictionaryKeyLength) != 0) break;
    }
    index.Close(h);
    table.Close();
    return true;
}

bool WordSearch::Delete()
{
    if (IsMissing(fields.english) || IsMissing(fields.spanish)) {
        ShowErrorBox(kSelectBeforeDelete);
        return false;
    }
    DictionaryUse use(DictionaryAccess::kWriting);
    if (!use.Granted()) return false;
    // With no record chosen, the record to delete is the one that holds
    // both words, not merely the first one keyed under the English word.
    int32_t record = current_record_;
    if (record <= 0 && !FindPairRecord(fields.english, fields.spanish, &record)) return false;
    DeleteResult result = DeleteResult::kNotFound;
    if (record >= 0)
        result = DeleteWordPair(SignificantPart(fields.english).c_str(), SignificantPart(fields.spanish).c_str(),
                                record, files_);
    if (result == DeleteResult::kFailed) return false;
    fields.status = result == DeleteResult::kDeleted ? kRecordDeletedText : kCannotDeleteText;
    view_.ShowFields();
    return result == DeleteResult::kDeleted;
}
