// The translator's worker-thread procedures. Each is started through
// StartWorkerThread (translator/framework/worker_thread.h), runs on its own
// thread, shows its own dialogs and message boxes, and returns a result
// nobody waits for.
//
//   Reindex                  rebuilds both dictionary indexes from the
//                            table; param unused (null). Returns 0 when both
//                            were rebuilt, 1 when the English rebuild
//                            failed, 2 when the Spanish one failed.
//   TranslateFileWorker      translates a text file into a new text file;
//                            param null (the worker asks for the input
//                            file) or the full path of a file dropped on the
//                            main window: a NUL-terminated char array made
//                            with new[], owned by the worker, which frees it
//                            with delete[].
//   TranslateClipboardWorker translates the text on the clipboard into a
//                            result window; param unused (null).
#ifndef LEXON_APP_WORKERS_H
#define LEXON_APP_WORKERS_H

unsigned int Reindex(void* param);
unsigned int TranslateFileWorker(void* param);
unsigned int TranslateClipboardWorker(void* param);

#endif
