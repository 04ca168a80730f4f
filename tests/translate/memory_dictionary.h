// An in-memory DictionarySource for the morphology tests and the fuzz
// target: word pairs held in a vector and looked up by the same 21-byte keys
// as the index files (stored form, blank padded), first match in insertion
// order. Words are given in display form and stored converted, as the add
// operation stores them.
#ifndef LEXON_TESTS_TRANSLATE_MEMORY_DICTIONARY_H
#define LEXON_TESTS_TRANSLATE_MEMORY_DICTIONARY_H

#include "translator/storage/btree.h"
#include "translator/storage/dictionary.h"
#include "translator/translate/dictionary_source.h"

#include <cstring>
#include <string>
#include <vector>

class MemoryDictionary : public DictionarySource {
public:
    explicit MemoryDictionary(int source_language) : source_(source_language) {}

    void Add(const std::string& english, const std::string& spanish)
    {
        Pair pair;
        pair.english = ConvertDictionaryText(english.substr(0, kMaxWordLength));
        pair.spanish = ConvertDictionaryText(spanish.substr(0, kMaxWordLength));
        char key[kDictionaryKeyLength];
        MakeDictionaryKey((source_ == kEnglish ? pair.english : pair.spanish).c_str(), key);
        pair.key.assign(key, kDictionaryKeyLength);
        pairs_.push_back(pair);
    }

    int32_t SeekKey(char* key) override
    {
        BlankPadKey(key, kDictionaryKeyLength);
        std::string sought(key, kDictionaryKeyLength);
        sought.erase(sought.find_last_not_of(' ') + 1);
        sought_.push_back(sought);
        for (std::size_t i = 0; i < pairs_.size(); ++i)
            if (std::memcmp(pairs_[i].key.data(), key, kDictionaryKeyLength) == 0)
                return static_cast<int32_t>(i + 1);
        return 0;
    }

    void FetchRecordImage(int32_t record, char* image) override
    {
        if (record < 1 || static_cast<std::size_t>(record) > pairs_.size())
            return;
        const Pair& pair = pairs_[static_cast<std::size_t>(record - 1)];
        std::memcpy(image + kEnglishOffset, pair.english.c_str(), pair.english.size());
        std::memcpy(image + kSpanishOffset, pair.spanish.c_str(), pair.spanish.size());
    }

    // The words sought so far, trailing blanks removed, in order.
    const std::vector<std::string>& Sought() const { return sought_; }
    void ClearSought() { sought_.clear(); }

private:
    struct Pair {
        std::string english;
        std::string spanish;
        std::string key;   // the source word's index key, 21 bytes
    };
    int source_;
    std::vector<Pair> pairs_;
    std::vector<std::string> sought_;
};

#endif
