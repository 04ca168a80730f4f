// The Spanish and English verb morphology, through the translator's real
// word lookup over an in-memory dictionary that records what was sought.
#include "tests/translate/memory_dictionary.h"
#include "translator/translate/morphology.h"
#include "translator/translate/search_analysis.h"
#include "translator/translate/text_translator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A translator with an in-memory dictionary of word pairs (english, spanish).
struct Fixture {
    Fixture(int source, int target, std::vector<std::pair<std::string, std::string>> pairs)
        : translator(source, target)
    {
        std::unique_ptr<MemoryDictionary> memory(new MemoryDictionary(source));
        for (const auto& pair : pairs)
            memory->Add(pair.first, pair.second);
        dictionary = memory.get();
        translator.UseDictionary(std::move(memory));
    }
    int AnalyseSpanish(const std::string& word)
    {
        return AnalyseSpanishForm(word.c_str(), translator.Analysis(), translator);
    }
    int AnalyseEnglish(const std::string& word)
    {
        return AnalyseEnglishForm(word.c_str(), translator.Analysis(), translator);
    }
    VerbAnalysis& analysis() { return translator.Analysis(); }
    // Index of the first seek of word, or -1.
    int SoughtAt(const std::string& word) const
    {
        const auto& sought = dictionary->Sought();
        auto it = std::find(sought.begin(), sought.end(), word);
        return it == sought.end() ? -1 : static_cast<int>(it - sought.begin());
    }

    TextTranslator translator;
    MemoryDictionary* dictionary;
};

Fixture SpanishWithHablar()
{
    return Fixture(kSpanish, kEnglish, {{"to speak", "hablar"}});
}

}  // namespace

// Spanish forms of 'hablar' = 'to speak' and the English form generated.
TEST(SpanishAnalysis, FormsOfHablarGiveTheirEnglishForms)
{
    struct Case {
        const char* word;
        const char* form;
        int tense;
    } cases[] = {
        {"habla", "speaks ", kTensePresent},            // indicative row 2, third person
        {"habl\xF3", "speaks ", kTensePreterite},       // row 14, third person
        {"hablo", "to speak", kTensePresent},           // row 0: the stored entry
        {"hablar\xE1", "will speak", kTenseFuture},     // subjunctive/future row 20
        {"hablar\xED" "a", "would speak", kTenseConditional},  // row 24 before row 26
        {"hablando", "speaking", kTenseGerund},
        {"hablado", "speaked", kTensePast},             // participle
        {"hablaba", "speaked", kTensePast},             // imperfect row 6
    };
    for (const Case& c : cases) {
        Fixture f = SpanishWithHablar();
        ASSERT_EQ(0, f.AnalyseSpanish(c.word)) << c.word;
        EXPECT_STREQ(c.form, f.analysis().form) << c.word;
        EXPECT_STREQ("hablar", f.analysis().infinitive) << c.word;
        EXPECT_EQ(c.tense, f.analysis().tense) << c.word;
    }
}

TEST(SpanishAnalysis, ShortEndingThatMatchesFirstIsTriedFirst)
{
    // 'hablaba': row 2 ("a") gives 'hablabar', not found; row 6 ("aba") wins.
    Fixture f = SpanishWithHablar();
    ASSERT_EQ(0, f.AnalyseSpanish("hablaba"));
    EXPECT_GE(f.SoughtAt("hablabar"), 0);
    EXPECT_LT(f.SoughtAt("hablabar"), f.SoughtAt("hablar"));
    EXPECT_EQ(kTensePast, f.analysis().tense);

    // 'hablaremos': subjunctive row 3 ("emos") gives 'hablarar' first, then
    // row 21 ("aremos") the future of 'hablar'.
    Fixture g = SpanishWithHablar();
    ASSERT_EQ(0, g.AnalyseSpanish("hablaremos"));
    EXPECT_GE(g.SoughtAt("hablarar"), 0);
    EXPECT_LT(g.SoughtAt("hablarar"), g.SoughtAt("hablar"));
    EXPECT_EQ(kTenseFuture, g.analysis().tense);
    EXPECT_STREQ("will speak", g.analysis().form);
}

TEST(SpanishAnalysis, ErVerbsAreReachedAfterEveryArReading)
{
    Fixture f(kSpanish, kEnglish, {{"to eat", "comer"}});
    ASSERT_EQ(0, f.AnalyseSpanish("comeremos"));
    EXPECT_STREQ("comer", f.analysis().infinitive);
    EXPECT_EQ(kTenseFuture, f.analysis().tense);
    EXPECT_STREQ("will eat", f.analysis().form);
    // the -er indicative row 3 ("emos") was tried before the future row 21
    EXPECT_GE(f.SoughtAt("comerer"), 0);
    EXPECT_LT(f.SoughtAt("comerer"), f.SoughtAt("comer"));

    Fixture g(kSpanish, kEnglish, {{"to eat", "comer"}});
    ASSERT_EQ(0, g.AnalyseSpanish("comiendo"));
    EXPECT_STREQ("comer", g.analysis().infinitive);
    EXPECT_EQ(kTenseGerund, g.analysis().tense);
    EXPECT_STREQ("eating", g.analysis().form);
}

TEST(SpanishAnalysis, StemRewrites)
{
    // "uie" -> "ue" gives 'quero', then -er row 0 gives 'querer'.
    Fixture f(kSpanish, kEnglish, {{"to want", "querer"}});
    ASSERT_EQ(0, f.AnalyseSpanish("quiero"));
    EXPECT_STREQ("querer", f.analysis().infinitive);
    EXPECT_EQ(kTensePresent, f.analysis().tense);
    EXPECT_STREQ("to want", f.analysis().form);

    // "ue" -> "o" gives 'podo': 'podar' is tried before 'poder'.
    Fixture g(kSpanish, kEnglish, {{"to be able", "poder"}});
    ASSERT_EQ(0, g.AnalyseSpanish("puedo"));
    EXPECT_STREQ("poder", g.analysis().infinitive);
    EXPECT_LT(g.SoughtAt("podar"), g.SoughtAt("poder"));

    Fixture h(kSpanish, kEnglish, {{"to be able", "poder"}, {"to prune", "podar"}});
    ASSERT_EQ(0, h.AnalyseSpanish("puedo"));
    EXPECT_STREQ("podar", h.analysis().infinitive);
    EXPECT_STREQ("to prune", h.analysis().form);
}

TEST(SpanishAnalysis, ImperfectSubjunctiveTakesTheFirstOfEqualRows)
{
    // rows 6 (yo) and 10 (el) both read "iera"; row 6 is not a third-person
    // row, so the English form stays the stored entry.
    Fixture f(kSpanish, kEnglish, {{"to live", "vivir"}});
    ASSERT_EQ(0, f.AnalyseSpanish("viviera"));
    EXPECT_STREQ("vivir", f.analysis().infinitive);
    EXPECT_EQ(kTenseImperfectSubjunctive, f.analysis().tense);
    EXPECT_STREQ("to live", f.analysis().form);
}

TEST(SpanishAnalysis, VerbReadingComesBeforeGenderAndNumber)
{
    Fixture f(kSpanish, kEnglish, {{"to marry", "casar"}, {"house", "casa"}});
    ASSERT_EQ(0, f.AnalyseSpanish("casas"));
    EXPECT_STREQ("casar", f.analysis().infinitive);
    EXPECT_STREQ("to marry", f.analysis().form);
}

TEST(SpanishAnalysis, FailureLeavesTheAnalysisUnchanged)
{
    Fixture f = SpanishWithHablar();
    f.analysis().person = 3;
    f.analysis().tense = kTenseGerund;
    std::strcpy(f.analysis().form, "before");
    EXPECT_EQ(1, f.AnalyseSpanish("xyz"));
    EXPECT_EQ(3, f.analysis().person);
    EXPECT_EQ(kTenseGerund, f.analysis().tense);
    EXPECT_STREQ("before", f.analysis().form);
    // 'xyz ' matches no ending at all: nothing was looked up
    EXPECT_TRUE(f.dictionary->Sought().empty());
}

TEST(SpanishAnalysis, LongTranslationIsCutToTwentyBytes)
{
    Fixture f(kSpanish, kEnglish, {{"to abcdefghijklmnopq", "hablar"}});
    ASSERT_EQ(0, f.AnalyseSpanish("hablas"));   // row 1: the stored entry
    EXPECT_STREQ("to abcdefghijklmnopq", f.analysis().form);
    ASSERT_EQ(0, f.AnalyseSpanish("hablar\xE1"));   // "will " + 17 bytes, cut
    EXPECT_STREQ("will abcdefghijklmno", f.analysis().form);
}

TEST(GenderNumber, RetriesInTheGivenOrder)
{
    // 'buenas': "as" occurs; 'bueno', 'buenos', 'buena' in this order.
    Fixture f(kSpanish, kEnglish, {{"good", "buena"}});
    ASSERT_EQ(0, ReduceGenderNumber("buenas", f.analysis(), f.translator));
    EXPECT_STREQ("good", f.analysis().adjective);
    std::vector<std::string> expected = {"bueno", "buenos", "buena"};
    EXPECT_EQ(expected, f.dictionary->Sought());

    // 'altos': only "os" occurs, so 'alto', 'altos', 'alta'.
    Fixture g(kSpanish, kEnglish, {{"tall", "alta"}});
    ASSERT_EQ(0, ReduceGenderNumber("altos", g.analysis(), g.translator));
    EXPECT_STREQ("tall", g.analysis().adjective);
    expected = {"alto", "altos", "alta"};
    EXPECT_EQ(expected, g.dictionary->Sought());

    // never stem + "as", and no further ending after a miss
    Fixture h(kSpanish, kEnglish, {{"houses", "casas"}});
    EXPECT_EQ(-1, ReduceGenderNumber("casas", h.analysis(), h.translator));
    expected = {"caso", "casos", "casa"};
    EXPECT_EQ(expected, h.dictionary->Sought());

    Fixture i(kSpanish, kEnglish, {});
    EXPECT_EQ(-1, ReduceGenderNumber("xyz", i.analysis(), i.translator));
    EXPECT_TRUE(i.dictionary->Sought().empty());
}

TEST(SpanishGeneration, FormsOfAnInfinitive)
{
    struct Case {
        const char* infinitive;
        int tense;
        int person;
        const char* form;
    } cases[] = {
        {"andar", kTenseFuture, 0, "andar\xE9 "},
        {"andar", kTenseGerund, 0, "andando  "},
        {"vivir", kTenseConditional, 5, "vivir\xED" "an "},
        {"andar", kTensePast, 0, "and\xE9 "},
        {"comer", kTensePast, 2, "comi\xF3 "},
        {"ir", kTenseFuture, 3, "iremos "},
        {"andar", kTensePresent, 4, "andar "},
        {"andar              ", kTenseFuture, 1, "andar\xE1s "},   // padded entry
        {"o\xEDr", kTenseFuture, 0, "o\xEDr "},                    // no -ar/-er/-ir ending
    };
    for (const Case& c : cases) {
        VerbAnalysis analysis;
        std::strcpy(analysis.form, c.infinitive);
        analysis.tense = static_cast<int16_t>(c.tense);
        analysis.person = static_cast<int16_t>(c.person);
        GenerateSpanishForm(analysis);
        EXPECT_STREQ(c.form, analysis.form) << c.infinitive << " " << c.tense;
        EXPECT_EQ(0, analysis.tense);
        EXPECT_EQ(0, analysis.person);
    }
}

TEST(EnglishGeneration, TenseAndPersonRows)
{
    struct Case {
        const char* entry;
        int tense;
        int row;
        int kind;
        const char* form;
    } cases[] = {
        {"to speak", kTenseFuture, 20, kSubjunctiveTable, "will speak"},
        {"to speak", kTenseConditional, 24, kSubjunctiveTable, "would speak"},
        {"to speak", kTenseConditional, 26, kSubjunctiveTable, "speaks "},  // person step
        {"to like             ", kTensePast, 0, kIndicativeTable, "liked"},  // e before the padding dropped
        {"to like", kTensePast, 0, kIndicativeTable, "likeed"},  // unpadded: no "e " to drop
        {"to speak", kTenseGerund, 0, kIndicativeTable, "speaking"},
        {"to speak", kTensePresent, 8, kIndicativeTable, "speaks "},
        {"to speak", kTenseImperfectSubjunctive, 11, kSubjunctiveTable, "speaks "},
        {"to speak", kTensePresent, 3, kIndicativeTable, "to speak"},
    };
    for (const Case& c : cases) {
        VerbAnalysis analysis;
        std::strcpy(analysis.form, c.entry);
        analysis.tense = static_cast<int16_t>(c.tense);
        GenerateEnglishForm(analysis, c.row, c.kind);
        EXPECT_STREQ(c.form, analysis.form) << c.entry << " " << c.tense << " " << c.row;
    }
    EXPECT_TRUE(IsThirdPersonRow(14, kIndicativeTable));
    EXPECT_FALSE(IsThirdPersonRow(14, kSubjunctiveTable));
    EXPECT_TRUE(IsThirdPersonRow(10, kSubjunctiveTable));
}

namespace {
Fixture EnglishDictionary()
{
    return Fixture(kEnglish, kSpanish,
                   {{"to walk", "andar"}, {"to go", "ir"}, {"we", "nosotros"}, {"to carry", "llevar"}});
}
}  // namespace

TEST(EnglishAnalysis, EndingsGiveTenseAndSpanishForm)
{
    struct Case {
        const char* word;
        const char* infinitive;
        const char* form;
    } cases[] = {
        {"walked", "to walk", "and\xE9 "},     // preterite, person 0
        {"carried", "to carry", "llev\xE9 "},  // -ied -> -yed -> to carry
        {"walking", "to walk", "andando  "},
        {"walks", "to walk ", "andar "},       // present: the infinitive; the
        {"walk", "to walk ", "andar "},        // phrase keeps the word's blank
        {"Walked", "to walk", "and\xE9 "},     // the lookup lowercases
    };
    for (const Case& c : cases) {
        Fixture f = EnglishDictionary();
        ASSERT_EQ(0, f.AnalyseEnglish(c.word)) << c.word;
        EXPECT_STREQ(c.infinitive, f.analysis().infinitive) << c.word;
        EXPECT_STREQ(c.form, f.analysis().form) << c.word;
        EXPECT_EQ(0, f.analysis().tense) << c.word;   // reset by the generation
    }
}

TEST(EnglishAnalysis, PhrasesAndPersons)
{
    Fixture f = EnglishDictionary();
    f.analysis().person = 3;
    ASSERT_EQ(0, f.AnalyseEnglish("will go"));
    EXPECT_STREQ("to go ", f.analysis().infinitive);
    EXPECT_STREQ("iremos ", f.analysis().form);
    EXPECT_EQ(0, f.analysis().person);

    Fixture g = EnglishDictionary();
    g.analysis().person = 5;
    ASSERT_EQ(0, g.AnalyseEnglish("would walk"));
    EXPECT_STREQ("andar\xED" "an ", g.analysis().form);
}

TEST(EnglishAnalysis, FailureKeepsTheTenseOfTheEnding)
{
    Fixture f = EnglishDictionary();
    EXPECT_EQ(1, f.AnalyseEnglish("goes"));   // 'goe' is no verb
    EXPECT_EQ(1, f.AnalyseEnglish("jumped"));
    EXPECT_EQ(kTensePast, f.analysis().tense);
    std::vector<std::string> expected = {"to goe", "to jump"};
    EXPECT_EQ(expected, f.dictionary->Sought());
}

TEST(Pronouns, SetThePersonOfTheNextVerb)
{
    struct Case {
        const char* word;
        int person;
    } cases[] = {{"I", 0}, {"you", 1}, {"He", 2}, {"she", 2}, {"IT", 2}, {"we", 3}, {"They", 5}};
    for (const Case& c : cases) {
        VerbAnalysis analysis;
        analysis.person = 4;
        NotePronoun(c.word, analysis);
        EXPECT_EQ(c.person, analysis.person) << c.word;
    }
    VerbAnalysis analysis;
    analysis.person = 4;
    NotePronoun("walk", analysis);
    NotePronoun("iv", analysis);
    NotePronoun("", analysis);
    EXPECT_EQ(4, analysis.person);
}

TEST(SearchAnalysis, KeysTheTypedWordAsTheSearchDoes)
{
    // Spanish: lower case, the accented letter back in its Windows code
    Fixture f = SpanishWithHablar();
    ASSERT_EQ(0, AnalyseSearchWord(kSpanish, "Habl\xF3", f.analysis(), f.translator));
    EXPECT_STREQ("hablar", f.analysis().infinitive);
    EXPECT_STREQ("speaks ", f.analysis().form);
    // a capital accented letter is not converted, so no ending matches it
    EXPECT_NE(0, AnalyseSearchWord(kSpanish, "HABL\xD3", f.analysis(), f.translator));

    // English: lower case, trimmed, at most 21 bytes
    Fixture g = EnglishDictionary();
    ASSERT_EQ(0, AnalyseSearchWord(kEnglish, "WALKED", g.analysis(), g.translator));
    EXPECT_STREQ("to walk", g.analysis().infinitive);
    EXPECT_STREQ("and\xE9 ", g.analysis().form);
    // (the trimmed word keeps one blank, and the analysis appends another)
    ASSERT_EQ(0, AnalyseSearchWord(kEnglish, "walks  ", g.analysis(), g.translator));
    EXPECT_STREQ("to walk  ", g.analysis().infinitive);
    EXPECT_NE(0, AnalyseSearchWord(kEnglish, "walkedxxxxxxxxxxxxxxxxxxxxxxxxxx", g.analysis(), g.translator));
}
