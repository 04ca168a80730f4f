// Interim bodies of the worker procedures (workers.h) and of the word
// commands (word_commands.h) until the storage, dictionary-dialog and
// translation layers provide theirs; this file then goes away. They keep
// the ownership rules: the file worker frees the path it was given.
#include "translator/app/word_commands.h"
#include "translator/app/workers.h"

unsigned int Reindex(void* param)
{
    return 0;
}

unsigned int TranslateFileWorker(void* param)
{
    delete[] static_cast<char*>(param);
    return 0;
}

unsigned int TranslateClipboardWorker(void* param)
{
    return 0;
}

void RunAddWordLoop()
{
}

void RunSearchLoop()
{
}
