/* Control ids of the add-word (136) and search (135) dialogs, shared by
   word_dialogs.rc and the code. Plain #defines only (the resource compiler
   reads this file too). */
#ifndef LEXON_DIALOGS_WORD_DIALOG_IDS_H
#define LEXON_DIALOGS_WORD_DIALOG_IDS_H

#define IDC_WORD_CLASS          1000
#define IDC_WORD_SPANISH        1001
#define IDC_WORD_ENGLISH        1002
#define IDC_SEARCH_CLEAR        1006
#define IDC_SEARCH_MODIFY       1007
#define IDC_SEARCH_LIST         1012
#define IDC_SEARCH_DELETE       1014
#define IDC_SEARCH_STATUS       1015

#endif
