#include "translator/app/main_frame.h"

#include "translator/app/messages.h"
#include "translator/app/resource.h"
#include "translator/app/word_commands.h"
#include "translator/app/workers.h"
#include "translator/framework/app.h"
#include "translator/framework/dialog.h"
#include "translator/framework/worker_thread.h"
#include "translator/storage/dictionary_guard.h"

#include <shellapi.h>
#include <cstring>
#include <new>

const MessageMapEntry CMainFrame::kMessageEntries[] = {
    CommandEntry(ID_WORDS_ADD, &CMainFrame::OnWordsAdd),
    CommandEntry(ID_WORDS_SEARCH, &CMainFrame::OnWordsSearch),
    CommandEntry(ID_OPTIONS_INDEX, &CMainFrame::OnOptionsIndex),
    CommandEntry(ID_TEXT_FILE, &CMainFrame::OnTextFile),
    CommandEntry(ID_TEXT_CLIPBOARD, &CMainFrame::OnTextClipboard),
    MessageEntry(WM_DROPFILES, &CMainFrame::OnDropFiles),
    MessageEntry(WM_CLOSE, &CMainFrame::OnClose),
    MessageEntry(WM_QUERYENDSESSION, &CMainFrame::OnQueryEndSession),
    CommandEntry(ID_HELP_INDEX, &FrameWnd::OnHelpIndex),
    EndOfMap(),
};
const MessageMap CMainFrame::kMessageMap = {&FrameWnd::kMessageMap, CMainFrame::kMessageEntries};

void CMainFrame::OnWordsAdd(Message& m)
{
    RunAddWordLoop();
}

void CMainFrame::OnWordsSearch(Message& m)
{
    RunSearchLoop();
}

void CMainFrame::OnOptionsIndex(Message& m)
{
    // The rebuild deletes and recreates both index files: it starts only on
    // an explicit OK (a confirmation that could not be shown counts as no).
    Dialog confirmation(IDD_INDEX_CONFIRM);
    if (confirmation.DoModal(hwnd_) == IDOK) StartWorkerThread(Reindex, nullptr);
}

void CMainFrame::OnTextFile(Message& m)
{
    StartWorkerThread(TranslateFileWorker, nullptr);
}

void CMainFrame::OnTextClipboard(Message& m)
{
    StartWorkerThread(TranslateClipboardWorker, nullptr);
}

void CMainFrame::OnDropFiles(Message& m)
{
    HDROP drop = reinterpret_cast<HDROP>(m.wparam);
    char path[MAX_PATH] = {};
    UINT length = DragQueryFileA(drop, 0, path, MAX_PATH);
    DragFinish(drop);
    if (length == 0) return;

    char* copy = new (std::nothrow) char[std::strlen(path) + 1];
    if (!copy) return;
    std::strcpy(copy, path);
    if (!StartWorkerThread(TranslateFileWorker, copy)) delete[] copy;  // the worker owns it once started
}

// The Index worker recreates both index files with only their headers and
// writes their pages as it goes; ending the program meanwhile would end the
// worker and leave the indexes empty. Waiting for the worker here would
// freeze the windows with no word why, so the main window refuses to close
// (close box, system menu, Exit all arrive here) and says why; the user
// closes the program once the rebuild has finished, and nothing is lost.
// The editor window may close as usual.
void CMainFrame::OnClose(Message& m)
{
    WinApp* app = WinApp::Current();
    bool is_main_window = app && app->GetMainWnd() == this;
    if (is_main_window && IsWindowEnabled(hwnd_) && DictionaryRebuildRunning()) {
        ShowErrorBox(kDictionaryBusyRebuilding);
        return;
    }
    FrameWnd::OnClose(m);  // may free this object: nothing follows
}

// Ending the Windows session would end the Index worker as closing the
// program would: the session is refused, with the reason, while it runs.
void CMainFrame::OnQueryEndSession(Message& m)
{
    if (DictionaryRebuildRunning()) {
        ShowErrorBox(kDictionaryBusyRebuilding);
        m.result = FALSE;
        return;
    }
    FrameWnd::OnQueryEndSession(m);
}
