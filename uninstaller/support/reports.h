// The uninstaller's error and out-of-memory reports, and the small routine
// that writes a formatted number or text into a dialog control.
//
// Error report: a MessageBoxDialog with caption "Error", the exclamation
// icon and one "&OK" button (Esc on it), centred over its owner.
// Out-of-memory report: the system message box "Fatal error: Out of
// memory" (no caption, system modal, error icon), since it must work when
// nothing more can be allocated.
//
// Both go through a ReportPresenter so that the code that reports (the
// system primitives, the program entry) can be tested without a person to
// close the boxes: the program uses the dialogs (the presenter in place
// from the start), tests install one that records.
#ifndef RAVELUP_SUPPORT_REPORTS_H
#define RAVELUP_SUPPORT_REPORTS_H

#include <windows.h>

#include <string>

extern const char kOutOfMemoryText[];   // "Fatal error: Out of memory"

class ReportPresenter {
public:
    virtual ~ReportPresenter() = default;
    virtual void show_error(HWND owner, const std::string& text) = 0;
    virtual void show_out_of_memory(HWND owner) = 0;
};

// The presenter that shows the real boxes.
class DialogReportPresenter : public ReportPresenter {
public:
    void show_error(HWND owner, const std::string& text) override;
    void show_out_of_memory(HWND owner) override;
};

// Installs presenter (never null); returns the one it replaces.
ReportPresenter* set_report_presenter(ReportPresenter* presenter);

// printf-style error report owned by `owner`.
void show_error_report(HWND owner, const char* format, ...);
void show_out_of_memory_report(HWND owner);

// Formats into a 512-character buffer and makes it the control's text.
void format_into_control(HWND control, const char* format, ...);

#endif
