/* The framework's standard command and string ids. Plain #defines only, so
   that resource scripts can include this file too.

   Commands with a standard meaning (bind them in message maps):
     ID_FILE_NEW, ID_FILE_OPEN     the application's New and Open
     ID_FILE_CLOSE, ID_FILE_SAVE,
     ID_FILE_SAVE_AS               the document's Close, Save, Save As
     ID_EDIT_PASTE                 the edit view's Paste
     ID_APP_ABOUT, ID_APP_EXIT     about box; exit (WinApp::OnAppExit)
     ID_HELP_INDEX                 help file at its index (FrameWnd)
   Strings the framework reads from the program's string table:
     IDS_APP_TITLE                 application title: caption of the
                                   framework's own message boxes
     IDS_IDLE_MESSAGE              the idle prompt of a status line */
#ifndef LEXON_FRAMEWORK_FRAMEWORK_IDS_H
#define LEXON_FRAMEWORK_FRAMEWORK_IDS_H

#define ID_FILE_NEW        57600
#define ID_FILE_OPEN       57601
#define ID_FILE_CLOSE      57602
#define ID_FILE_SAVE       57603
#define ID_FILE_SAVE_AS    57604
#define ID_EDIT_CLEAR      57632
#define ID_EDIT_COPY       57634
#define ID_EDIT_CUT        57635
#define ID_EDIT_PASTE      57637
#define ID_EDIT_UNDO       57643
#define ID_NEXT_PANE       57680
#define ID_PREV_PANE       57681
#define ID_APP_ABOUT       57664
#define ID_APP_EXIT        57665
#define ID_HELP_INDEX      57669

#define IDS_APP_TITLE      57344
#define IDS_IDLE_MESSAGE   57345

/* Child id of the view inside its frame. */
#define ID_VIEW_PANE       59648

#endif
