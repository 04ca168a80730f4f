#include "tools/lexon/word_fields.h"

#include "tools/lexon/lexon_text.h"

#include <cstdio>

bool TakeWordField(const LexonOptions& options, const std::string& argument, std::size_t limit, std::string* text)
{
    if (!LexonTextIn(options, argument, text)) {
        std::fprintf(stderr, "lexon: the text is not UTF-8 that Windows-1252 can hold\n");
        return false;
    }
    if (text->size() > limit) {
        std::fprintf(stderr, "lexon: Please enter no more than %u characters.\n", static_cast<unsigned>(limit));
        return false;
    }
    return true;
}

std::string WordFieldOut(const LexonOptions& options, std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return LexonTextOut(options, text);
}
