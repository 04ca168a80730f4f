// CProgressWnd: the progress window of a long walk through a file (the
// index rebuild, the file translation). Windows only.
//
// A top-level overlapped window (caption, system menu, sizing border,
// minimize and maximize boxes) without parent, titled "  " (two blanks), at
// the screen rectangle (1, 1)-(300, 50). Update(position) fills the client
// rectangle (0, 0)-(position * 300 / total, 50) with black, so the bar
// grows from the left and is 300 pixels wide at position == total; with a
// total of 0 nothing is drawn. The thread that creates the window draws into
// it directly; Update also handles the window's pending messages, so it is
// repainted (bar included) when it was covered.
//
// Use: Create(total), GetDrawingContext(), Update(...) as the walk goes on,
// ReleaseDrawingContext(); the destructor destroys the window.
#ifndef LEXON_STORAGE_PROGRESS_WND_H
#define LEXON_STORAGE_PROGRESS_WND_H

#include "translator/storage/rebuild_progress.h"

#include <windows.h>

#include <cstdint>

extern const char kProgressWindowClass[];   // "LexonProgressWnd"
extern const char kProgressWindowTitle[];   // "  "

class CProgressWnd {
public:
    CProgressWnd();
    ~CProgressWnd();
    CProgressWnd(const CProgressWnd&) = delete;
    CProgressWnd& operator=(const CProgressWnd&) = delete;

    // Stores the total, creates and shows the window. False when it cannot
    // be created.
    bool Create(uint32_t total);
    // The client drawing context, taken once after Create.
    HDC GetDrawingContext();
    void Update(uint32_t position);
    void ReleaseDrawingContext();
    void Destroy();

    HWND Handle() const { return hwnd_; }
    uint32_t Total() const { return total_; }
    uint32_t Position() const { return position_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void PaintBar(HDC dc);

    HWND hwnd_;
    uint32_t total_;
    uint32_t position_;
    HBRUSH brush_;   // solid black
    HDC dc_;
};

// The rebuild's progress shown in a CProgressWnd, one window per walk.
class WindowRebuildProgress : public RebuildProgress {
public:
    WindowRebuildProgress() = default;
    ~WindowRebuildProgress() override { Finish(); }
    WindowRebuildProgress(const WindowRebuildProgress&) = delete;
    WindowRebuildProgress& operator=(const WindowRebuildProgress&) = delete;
    bool Start(uint32_t total) override;
    void Update(uint32_t position) override;
    void Finish() override;

private:
    CProgressWnd* window_ = nullptr;
};

#endif
