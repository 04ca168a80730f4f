// Interim body of the reindexing worker (workers.h) until the storage
// layer's is linked in; this file then goes away.
#include "translator/app/workers.h"

unsigned int Reindex(void* param)
{
    return 0;
}
