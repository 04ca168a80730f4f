#include "tests/gui/fake_commands.h"
#include "translator/app/word_commands.h"
#include "translator/app/workers.h"

std::atomic<int> g_add_word_loops{0};
std::atomic<int> g_search_loops{0};

void RunAddWordLoop()
{
    ++g_add_word_loops;
}

void RunSearchLoop()
{
    ++g_search_loops;
}

unsigned int Reindex(void*)
{
    return 0;
}

unsigned int TranslateFileWorker(void*)
{
    return 1;
}

unsigned int TranslateClipboardWorker(void*)
{
    return 2;
}
