// WindowTranslationProgress: the progress of a file translation shown in a
// CProgressWnd (translator/storage/progress_wnd.h). Begin creates the
// window with the input's size in bytes as the total of a full bar and
// takes its drawing context; Update draws the bar up to the bytes read so
// far; Finish (or the destructor) releases the context and destroys the
// window. An input of 0 bytes leaves the bar empty. When the window cannot
// be created the translation goes on without it.
//
// Windows only; the window belongs to the thread that calls Begin.
#ifndef LEXON_TRANSLATE_TRANSLATION_PROGRESS_WND_H
#define LEXON_TRANSLATE_TRANSLATION_PROGRESS_WND_H

#include "translator/storage/progress_wnd.h"
#include "translator/translate/text_translator.h"

class WindowTranslationProgress : public TranslationProgress {
public:
    WindowTranslationProgress() = default;
    ~WindowTranslationProgress() override { Finish(); }
    WindowTranslationProgress(const WindowTranslationProgress&) = delete;
    WindowTranslationProgress& operator=(const WindowTranslationProgress&) = delete;

    void Begin(long total) override;
    void Update(long position) override;
    void Finish();

    const CProgressWnd& Window() const { return window_; }

private:
    CProgressWnd window_;
    bool shown_ = false;
};

#endif
