// The text operations of the engine, the separator set, the Spanish ending
// tables and the Windows-1252 <-> UTF-8 conversion of the tools.
#include "translator/translate/spanish_endings.h"
#include "translator/translate/text_pieces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {
std::string Trimmed(const char* text)
{
    char buffer[64];
    std::strcpy(buffer, text);
    int length = TrimEntry(buffer);
    EXPECT_EQ(static_cast<int>(std::strlen(buffer)), length);
    return buffer;
}

std::string Emitted(const char* text, int mode)
{
    char buffer[64];
    std::strcpy(buffer, text);
    int length = EmitPiece(buffer, sizeof buffer, mode);
    return std::string(buffer, static_cast<std::size_t>(length));
}
}  // namespace

TEST(TextPieces, TrimEntryKeepsOneBlankAfterAWord)
{
    EXPECT_EQ("hola ", Trimmed("hola                "));
    EXPECT_EQ("hola", Trimmed("hola"));
    EXPECT_EQ("buenos dias ", Trimmed("buenos dias  x"));
    EXPECT_EQ("", Trimmed(" hola"));
    EXPECT_EQ("", Trimmed(""));
    EXPECT_EQ("a b c ", Trimmed("a b c   "));
}

TEST(TextPieces, EmitPieceModes)
{
    EXPECT_EQ("hola ,", Emitted("hola                ", ','));
    EXPECT_EQ("hola\n", Emitted("hola", '\n'));
    EXPECT_EQ("hola ", Emitted("hola ", kEndOfText));
    EXPECT_EQ("<xyz>", Emitted("xyz", kMarkerMode));
    EXPECT_EQ("<xyz >", Emitted("xyz   ", kMarkerMode));
    // a piece never grows past its buffer
    char small[6] = "abcd";
    EXPECT_EQ(4, EmitPiece(small, sizeof small, kMarkerMode));
    EXPECT_STREQ("abcd", small);
    EXPECT_EQ(5, EmitPiece(small, sizeof small, '.'));
    EXPECT_STREQ("abcd.", small);
}

TEST(TextPieces, ReplaceFirstReplacesOnlyTheFirst)
{
    char text[32] = "to walked ed ";
    EXPECT_TRUE(ReplaceFirst(text, sizeof text, "ed ", ""));
    EXPECT_STREQ("to walked ", text);
    EXPECT_TRUE(ReplaceFirst(text, sizeof text, "ed ", ""));
    EXPECT_STREQ("to walk", text);
    EXPECT_FALSE(ReplaceFirst(text, sizeof text, "ed ", ""));
    EXPECT_STREQ("to walk", text);
    EXPECT_TRUE(ReplaceFirst(text, sizeof text, "walk", "carried away"));
    EXPECT_STREQ("to carried away", text);
    // a result longer than the buffer is cut, never written past it
    char small[8] = "ab";
    EXPECT_TRUE(ReplaceFirst(small, sizeof small, "a", "0123456789"));
    EXPECT_STREQ("0123456", small);
    char tail[8] = "abcdef";
    EXPECT_TRUE(ReplaceFirst(tail, sizeof tail, "b", "xyz"));
    EXPECT_STREQ("axyzcde", tail);
}

TEST(TextPieces, SeparatorSet)
{
    std::string separators;
    for (int byte = 0; byte < 256; ++byte)
        if (IsSeparator(static_cast<unsigned char>(byte)))
            separators += std::to_string(byte) + " ";
    EXPECT_EQ("0 9 10 32 40 41 44 46 58 59 63 ", separators);
}

TEST(TextPieces, NormaliseWordConvertsOnlyWordsWithAccents)
{
    char plain[] = "Hola\xA0";          // 0xA0 stays: no Windows accent
    NormaliseWord(plain);
    EXPECT_STREQ("hola\xA0", plain);
    char accented[] = "Ma\xF1" "ANA\xC1";  // n-tilde -> OEM A4, capital A-acute stays
    NormaliseWord(accented);
    EXPECT_STREQ("ma\xA4" "ana\xC1", accented);
}

namespace {
// One column of a table as the text of its entries, blank after each.
std::string Column(const char* const (*table)[3], int rows, int column)
{
    std::string text;
    for (int row = 0; row < rows; ++row)
        text += table[row][column];
    return text;
}
// The words of a UTF-8 text in Windows-1252, a blank after each (only the
// four accented letters of the tables are expected).
std::string FromUtf8Words(const char* words)
{
    std::istringstream in(words);
    std::string word, text;
    while (in >> word) {
        for (std::size_t i = 0; i < word.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(word[i]);
            if (c == 0xC3 && i + 1 < word.size()) {
                text += static_cast<char>(0xC0 + (static_cast<unsigned char>(word[i + 1]) & 0x3F));
                ++i;
            } else {
                text += word[i];
            }
        }
        text += " ";
    }
    return text;
}
}  // namespace

TEST(SpanishEndings, TablesAsGiven)
{
    EXPECT_EQ(FromUtf8Words("o as a amos áis an aba abas aba ábamos abais aban é aste ó amos asteis aron"),
              Column(kIndicativeEndings, kIndicativeRowCount, 0));
    EXPECT_EQ(FromUtf8Words("o es e emos éis en ía ías ía íamos íais ían í iste ió imos isteis ieron"),
              Column(kIndicativeEndings, kIndicativeRowCount, 1));
    EXPECT_EQ(FromUtf8Words("o es e imos ís en ía ías ía íamos íais ían í iste ió imos isteis ieron"),
              Column(kIndicativeEndings, kIndicativeRowCount, 2));
    EXPECT_EQ(FromUtf8Words("e es e emos éis en ara ase aras ases ara ase áramos ásemos arais aseis aran asen "
                            "aré arás ará aremos aréis arán aría arías aría aríamos aríais arían"),
              Column(kSubjunctiveEndings, kSubjunctiveRowCount, 0));
    EXPECT_EQ(FromUtf8Words("a as a amos áis an iera iese ieras ieses iera iese iéramos iésemos ierais ieseis "
                            "ieran iesen eré erás erá eremos eréis erán ería erías ería eríamos eríais erían"),
              Column(kSubjunctiveEndings, kSubjunctiveRowCount, 1));
    EXPECT_EQ(FromUtf8Words("a as a amos áis an iera iese ieras ieses iera iese iéramos iésemos ierais ieseis "
                            "ieran iesen iré irás irá iremos iréis irán iría irías iría iríamos iríais irían"),
              Column(kSubjunctiveEndings, kSubjunctiveRowCount, 2));
    std::string participles, genders;
    for (const char* e : kParticipleEndings) participles += e;
    for (const char* e : kGenderNumberEndings) genders += e;
    EXPECT_EQ("ado ido adas ados idos ", participles);
    EXPECT_EQ("as a os o ", genders);
    EXPECT_STREQ("ando ", kGerundEndings[0]);
    EXPECT_STREQ("iendo ", kGerundEndings[1]);
}
