// Interim bodies of the word commands (word_commands.h) until the
// dictionary dialogs are linked in; this file then goes away.
#include "translator/app/word_commands.h"

void RunAddWordLoop()
{
}

void RunSearchLoop()
{
}
