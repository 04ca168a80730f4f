#include "translator/dialogs/add_word_dlg.h"

#include "translator/app/resource.h"
#include "translator/dialogs/word_dialog_ids.h"
#include "translator/dialogs/word_ops.h"

CAddWordDlg::CAddWordDlg() : Dialog(IDD_ADD_WORD) {}

void CAddWordDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_WORD_SPANISH, spanish_, kWordFieldLimit);
    dx.Text(IDC_WORD_CLASS, word_class_, kClassFieldLimit);
    dx.Text(IDC_WORD_ENGLISH, english_, kWordFieldLimit);
}
