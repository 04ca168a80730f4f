#include "translator/translate/clipboard_result_dlg.h"

#include "translator/app/resource.h"
#include "translator/translate/translate_resource.h"

CClipboardResultDlg::CClipboardResultDlg() : Dialog(IDD_CLIPBOARD_RESULT) {}

void CClipboardResultDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_CLIPBOARD_TEXT, text_);
}
