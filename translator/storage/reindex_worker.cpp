// The Index command's worker thread: rebuilds both indexes of the
// dictionary in the current folder, showing each rebuild's progress in a
// CProgressWnd. Declared in translator/app/workers.h.
#include "translator/app/messages.h"
#include "translator/app/workers.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/progress_wnd.h"

#include <new>

unsigned int Reindex(void* /*param*/)
{
    // Nothing may leave a thread procedure by an exception.
    try {
        WindowRebuildProgress progress;
        int result = Reindex(DictionaryFiles(), &progress);
        return static_cast<unsigned int>(result);
    } catch (const std::bad_alloc&) {
        ShowErrorBox("Error al asignar Memoria");
        return 1;
    }
}
