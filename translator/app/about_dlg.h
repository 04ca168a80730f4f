// CAboutDlg: the about box (dialog 100), shown modally by Words > About.
#ifndef LEXON_APP_ABOUT_DLG_H
#define LEXON_APP_ABOUT_DLG_H

#include "translator/app/resource.h"
#include "translator/framework/dialog.h"

class CAboutDlg : public Dialog {
public:
    CAboutDlg() : Dialog(IDD_ABOUTBOX) {}
};

#endif
