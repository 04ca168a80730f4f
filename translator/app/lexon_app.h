// CLexon_v2App: the translator's application object (one instance, made
// by WinMain's file). Construction initialises the OLE libraries (used for
// the clipboard; a failure is ignored).
//
// Start-up (InitInstance), in order: dialog colours (light grey 192,192,192
// with black text); the profile (LEXON_V2.INI) with a recent-file list of
// four; the main template (110) with a new document, whose frame becomes
// the main window, shown in the program's show state; the splash screen;
// files may be dropped on the main window; the editor template (109). The
// command line is not read.
//
// Its message map: About (57664) shows the about box; New File (57600) and
// Disk File (57601) call OnFileNew and OnFileOpen, which open the editor
// window through the editor template (the last one registered).
#ifndef LEXON_APP_LEXON_APP_H
#define LEXON_APP_LEXON_APP_H

#include "translator/app/splash_dlg.h"
#include "translator/framework/app.h"

class CLexon_v2App : public WinApp {
public:
    CLexon_v2App();

    bool InitInstance() override;
    bool PreTranslateMessage(MSG* msg) override;
    virtual void OnFileNew();
    virtual void OnFileOpen();

    CSplashDlg& Splash() { return splash_; }

    static const int kRecentFileCount = 4;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];

    void OnAppAbout(Message& m);
    void OnFileNewCommand(Message& m) { OnFileNew(); }
    void OnFileOpenCommand(Message& m) { OnFileOpen(); }

    CSplashDlg splash_;
};

#endif
