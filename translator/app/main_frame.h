// CMainFrame: the frame of both windows (main window, template 110, and
// text editor window, template 109). It carries the main command map:
//
//   Words > Add (32771)        RunAddWordLoop
//   Words > Search (32772)     RunSearchLoop
//   Options > Index (32773)    confirmation dialog 133, then the Reindex
//                              worker (only when confirmed with OK)
//   Text > File (32778)        TranslateFileWorker, no parameter
//   Text > Clipboard (32780)   TranslateClipboardWorker
//   Help > Main Index (57669)  the framework's help index
//   a file dropped (WM_DROPFILES): TranslateFileWorker with a copy of the
//                              first file's full path; further files are
//                              ignored
//   closing (WM_CLOSE)         as every frame, except that the main window
//                              is not closed while the indexes are being
//                              rebuilt (see OnClose)
//   ending the session         refused while the indexes are being rebuilt
//   (WM_QUERYENDSESSION)       for the same reason; otherwise as every frame
//
// Every handler returns at once; workers are not waited for or tracked.
#ifndef LEXON_APP_MAIN_FRAME_H
#define LEXON_APP_MAIN_FRAME_H

#include "translator/framework/frame_wnd.h"

class CMainFrame : public FrameWnd {
public:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];

    void OnWordsAdd(Message& m);
    void OnWordsSearch(Message& m);
    void OnOptionsIndex(Message& m);
    void OnTextFile(Message& m);
    void OnTextClipboard(Message& m);
    void OnDropFiles(Message& m);
    void OnClose(Message& m);
    void OnQueryEndSession(Message& m);
};

#endif
