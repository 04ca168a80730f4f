/* Resource ids of the translator LEXON_V2, shared by lexon.rc and the code.
   Plain #defines only (the resource compiler reads this file too). The
   framework's standard ids (ID_FILE_NEW, ID_APP_EXIT, IDS_APP_TITLE, ...)
   come from framework_ids.h. */
#ifndef LEXON_APP_RESOURCE_H
#define LEXON_APP_RESOURCE_H

#include "translator/framework/framework_ids.h"

/* Icon, bitmap */
#define IDR_PROGRAM_ICON        2
#define IDB_SPLASH              128

/* Document templates: menu, title string and accelerators of each frame */
#define IDR_EDITOR_TEMPLATE     109
#define IDR_MAIN_TEMPLATE       110

/* Dialogs */
#define IDD_ABOUTBOX            100
#define IDD_CLIPBOARD_RESULT    123
#define IDD_SPLASH              127
#define IDD_CONJUGATION_RESULT  132
#define IDD_INDEX_CONFIRM       133
#define IDD_LANGUAGE            134
#define IDD_SEARCH_WORD         135
#define IDD_ADD_WORD            136

/* Controls */
#define IDC_SPLASH_PICTURE      1032
#define IDC_INDEX_QUESTION      1033
#define IDC_ABOUT_ICON          1034
#define IDC_ABOUT_PRODUCT       1035
#define IDC_ABOUT_NOTICE1       1036
#define IDC_ABOUT_NOTICE2       1037

/* Commands of the main window's menu */
#define ID_WORDS_ADD            32771
#define ID_WORDS_SEARCH         32772
#define ID_OPTIONS_INDEX        32773
#define ID_TEXT_FILE            32778
#define ID_TEXT_CLIPBOARD       32780

#endif
