// Cutting text into lines, clipboard units and tokens.
#include "translator/translate/clipboard_translator.h"
#include "translator/translate/text_translator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Token {
    std::string text;
    int separator;
    bool too_long;
    bool operator==(const Token& other) const
    {
        return text == other.text && separator == other.separator && too_long == other.too_long;
    }
};

std::ostream& operator<<(std::ostream& out, const Token& token)
{
    return out << "{'" << token.text << "', " << token.separator << (token.too_long ? ", long}" : "}");
}

std::vector<Token> Tokens(const std::string& line)
{
    TextTranslator translator(kEnglish, kSpanish);
    translator.SetLine(line.c_str());
    std::vector<Token> tokens;
    int position = 0;
    for (;;) {
        int separator = translator.NextToken(position);
        tokens.push_back({translator.Token(), separator, translator.TokenTooLong()});
        if (separator == 0 || position >= translator.LineLength())
            break;
    }
    return tokens;
}

// The lines ReadFileLine delivers for input, as (text, result) pairs.
std::vector<std::pair<std::string, int>> Lines(const std::string& input)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), file);
    std::rewind(file);
    TextTranslator translator(kEnglish, kSpanish);
    translator.AttachStreams(file, nullptr);
    std::vector<std::pair<std::string, int>> lines;
    for (int guard = 0; guard < 100; ++guard) {
        int result = translator.ReadFileLine();
        if (result == kNoMoreLines)
            break;
        EXPECT_EQ(static_cast<int>(std::string(translator.Line()).size()), translator.LineLength());
        lines.push_back({translator.Line(), result});
    }
    std::fclose(file);
    return lines;
}

}  // namespace

TEST(NextToken, SeparatorsAndEmptyTokens)
{
    std::vector<Token> expected = {
        {"Hello", ',', false}, {"", ' ', false}, {"world", '.', false}, {"", '\n', false}};
    EXPECT_EQ(expected, Tokens("Hello, world.\n"));
    expected = {{"don't", '?', false}, {"1-2\r", 0, false}};
    EXPECT_EQ(expected, Tokens("don't?1-2\r"));
    expected = {{"a", '\t', false}, {"b", '(', false}, {"c", ')', false}, {"d", ':', false}, {"e", ';', false},
                {"\xE1\xF1", 0, false}};
    EXPECT_EQ(expected, Tokens("a\tb(c)d:e;\xE1\xF1"));
}

TEST(NextToken, WillAndWouldJoinTheFollowingWord)
{
    std::vector<Token> expected = {{"I", ' ', false}, {"will go", ' ', false}, {"", '\n', false}};
    EXPECT_EQ(expected, Tokens("I will go.\n"));
    expected = {{"would would go", ',', false}, {"", '\n', false}};
    EXPECT_EQ(expected, Tokens("would,would go \n"));
    // at the end of a line "will" is joined with the empty text after it
    expected = {{"will ", '\n', false}};
    EXPECT_EQ(expected, Tokens("will\n"));
    // the comparison is case-sensitive
    expected = {{"Will", ' ', false}, {"go", 0, false}};
    EXPECT_EQ(expected, Tokens("Will go"));
}

TEST(NextToken, LongWordsAndLongPhrases)
{
    std::string word21(21, 'a'), word22(22, 'b');
    std::vector<Token> expected = {{word21, ' ', false}, {word22, '.', true}, {"x", 0, false}};
    EXPECT_EQ(expected, Tokens(word21 + " " + word22 + ".x"));
    // a word too long for the dictionary is not joined to "will"
    expected = {{"will", ' ', false}, {word22, 0, true}};
    EXPECT_EQ(expected, Tokens("will " + word22));
    // a phrase stops growing at 63 bytes; the words left over follow
    std::string line;
    for (int i = 0; i < 20; ++i)
        line += "will ";
    line += "go";
    std::vector<Token> tokens = Tokens(line);
    std::string joined;
    for (const Token& token : tokens) {
        EXPECT_LE(token.text.size(), 63u);
        joined += token.text + " ";
    }
    EXPECT_EQ(line + " ", joined);
}

TEST(ReadFileLine, TerminatorsAndTheLastLine)
{
    std::vector<std::pair<std::string, int>> expected = {
        {"ab\n", '\n'}, {"cd\r", '\r'}, {"xy", 0}, {"\n", '\n'}, {"z\xE1", 0xE1}};
    EXPECT_EQ(expected, Lines(std::string("ab\r\ncd\rxy\0\nz\xE1", 13)));
    EXPECT_TRUE(Lines("").empty());
    expected = {{"a", 'a'}};
    EXPECT_EQ(expected, Lines("a"));
}

TEST(ReadFileLine, LongLinesAreCutAfterASeparator)
{
    std::string input;
    for (int i = 0; i < 200; ++i)
        input += "abcd ";
    input += "\n";
    std::vector<std::pair<std::string, int>> lines = Lines(input);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(kBufferFull, lines[0].second);
    EXPECT_LE(lines[0].first.size(), static_cast<std::size_t>(kLineBufferSize - 2));
    EXPECT_EQ(' ', lines[0].first.back());
    EXPECT_EQ('\n', lines[1].second);
    EXPECT_EQ(input, lines[0].first + lines[1].first);

    std::string giant(1200, 'w');
    lines = Lines(giant);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(kBufferFull, lines[0].second);
    EXPECT_EQ(giant, lines[0].first + lines[1].first + lines[2].first);
}

TEST(ReadClipboardUnit, OneWordAndItsSeparator)
{
    ClipboardTranslator translator(kEnglish, kSpanish);
    std::string text = "Hi there,\r\nyou";
    translator.SetClipboardData(text.c_str(), text.size() + 1);
    std::vector<std::pair<std::string, int>> units, expected = {
        {"Hi ", ' '}, {"there,", ','}, {"\r\n", '\n'}, {"you", 0}};
    for (int guard = 0; guard < 10; ++guard) {
        int result = translator.ReadClipboardUnit();
        units.push_back({translator.Line(), result});
        if (result <= 0)
            break;
    }
    EXPECT_EQ(expected, units);

    std::string long_word(600, 'k');
    translator.SetClipboardData(long_word.c_str(), long_word.size());
    EXPECT_EQ(kBufferFull, translator.ReadClipboardUnit());
    EXPECT_EQ(kLineBufferSize - 2, translator.LineLength());
    EXPECT_EQ(0, translator.ReadClipboardUnit());
    EXPECT_EQ(600 - (kLineBufferSize - 2), translator.LineLength());
}
