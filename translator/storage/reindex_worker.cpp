// The Index command's worker thread: rebuilds both indexes of the
// dictionary in the current folder, showing each rebuild's progress in a
// CProgressWnd. Declared in translator/app/workers.h.
#include "translator/app/workers.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/progress_wnd.h"

unsigned int Reindex(void* /*param*/)
{
    WindowRebuildProgress progress;
    int result = Reindex(DictionaryFiles(), &progress);
    return static_cast<unsigned int>(result);
}
