// The progress of a long walk through a file (the index rebuild): the
// program shows it in a CProgressWnd (progress_wnd.h, Windows only), the
// lexon tool as a text bar on a terminal, the tests record it.
#ifndef LEXON_STORAGE_REBUILD_PROGRESS_H
#define LEXON_STORAGE_REBUILD_PROGRESS_H

#include <cstdint>

const int kProgressBarWidth = 300;   // pixels of the progress window's bar

class RebuildProgress {
public:
    virtual ~RebuildProgress() = default;
    // A walk of `total` steps begins; false when the display cannot be made
    // (the walk then goes on without it).
    virtual bool Start(uint32_t total) = 0;
    // Step `position` (1..total) is done.
    virtual void Update(uint32_t position) = 0;
    // The walk has ended (completed or not); take the display down.
    virtual void Finish() = 0;
};

// A progress display that shows nothing.
class NoRebuildProgress : public RebuildProgress {
public:
    bool Start(uint32_t) override { return true; }
    void Update(uint32_t) override {}
    void Finish() override {}
};

// Width of the bar for position of total, full_width at position == total;
// 0 when total is 0. Computed in 64 bits, so no product overflows.
int ProgressBarLength(uint32_t position, uint32_t total, int full_width);

#endif
