// Program-wide dialog colours: one background colour and one text colour
// for every framework dialog and every message box the program shows.
//
//   SetDialogColors(RGB(192, 192, 192), RGB(0, 0, 0));   // once, at start-up
//
// Framework dialogs (dialog.h) answer WM_CTLCOLORDLG, WM_CTLCOLORSTATIC,
// WM_CTLCOLORBTN and WM_CTLCOLORMSGBOX through AnswerDialogColorMessage.
// Message boxes are not framework windows: ShowColoredMessageBox wraps
// MessageBoxA and, while the box is being created, a CBT hook on the
// calling thread subclasses the box so that it answers the same messages.
// Edit controls and list boxes keep the system colours.
//
// Before SetDialogColors is called nothing is changed (system colours).
#ifndef LEXON_FRAMEWORK_DIALOG_COLORS_H
#define LEXON_FRAMEWORK_DIALOG_COLORS_H

#include <windows.h>

void SetDialogColors(COLORREF background, COLORREF text);
bool DialogColorsSet();
COLORREF DialogBackgroundColor();
COLORREF DialogTextColor();

// For WM_CTLCOLORDLG/STATIC/BTN/MSGBOX: sets the text colour and
// background of dc and returns the background brush. Null when the message
// is another one or no colours are set (use the default processing then).
HBRUSH AnswerDialogColorMessage(UINT message, HDC dc);

// MessageBoxA in the program's dialog colours. Safe on any thread.
int ShowColoredMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

#endif
