#include "translator/translate/translation_progress_wnd.h"

void WindowTranslationProgress::Begin(long total)
{
    Finish();
    shown_ = window_.Create(total > 0 ? static_cast<uint32_t>(total) : 0);
    if (shown_) window_.GetDrawingContext();
}

void WindowTranslationProgress::Update(long position)
{
    if (shown_) window_.Update(position > 0 ? static_cast<uint32_t>(position) : 0);
}

void WindowTranslationProgress::Finish()
{
    if (!shown_) return;
    window_.ReleaseDrawingContext();
    window_.Destroy();
    shown_ = false;
}
