// The Words > Add and Words > Search commands of the main window.
#include "translator/app/word_commands.h"

#include "translator/dialogs/add_word_dlg.h"
#include "translator/dialogs/search_word_dlg.h"
#include "translator/dialogs/word_ops.h"

#include <windows.h>

void RunAddWordLoop()
{
    // The same dialog object each time: after an Add the fields show the
    // texts just added. Anything but OK (Cancel, or a dialog that could not
    // be created) ends the command.
    CAddWordDlg dialog;
    while (dialog.DoModal() == IDOK)
        AddWordRecord(dialog.WordClass().c_str(), dialog.Spanish().c_str(), dialog.English().c_str());
}

void RunSearchLoop()
{
    // The dialog does its work while it is open and returns only on Cancel;
    // a dialog that could not be created (-1) ends the command as well.
    CSearchWordDlg dialog;
    for (;;) {
        INT_PTR result = dialog.DoModal();
        if (result == IDCANCEL || result == -1) break;
    }
}
