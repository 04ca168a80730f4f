// Interim bodies of the translation workers (workers.h) until the
// translation layer's are linked in; this file then goes away. The file
// worker keeps the ownership rule: it frees the path it was given.
#include "translator/app/workers.h"

unsigned int TranslateFileWorker(void* param)
{
    delete[] static_cast<char*>(param);
    return 0;
}

unsigned int TranslateClipboardWorker(void* param)
{
    return 0;
}
