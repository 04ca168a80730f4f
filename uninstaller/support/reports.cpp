#include "uninstaller/support/reports.h"

#include "uninstaller/support/message_box_dialog.h"

#include <cstdarg>
#include <cstdio>

const char kOutOfMemoryText[] = "Fatal error: Out of memory";

namespace {

DialogReportPresenter g_dialog_presenter;
ReportPresenter* g_presenter = &g_dialog_presenter;

}  // namespace

void DialogReportPresenter::show_error(HWND owner, const std::string& text)
{
    MessageBoxDialog box;
    box.set_text("%s", text.c_str());
    box.set_icon(MB_ICONEXCLAMATION);
    box.set_buttons(MB_OK);
    box.show(owner, "Error", true);
}

void DialogReportPresenter::show_out_of_memory(HWND owner)
{
    MessageBoxA(owner, kOutOfMemoryText, nullptr, MB_SYSTEMMODAL | MB_ICONERROR);
}

ReportPresenter* set_report_presenter(ReportPresenter* presenter)
{
    ReportPresenter* previous = g_presenter;
    g_presenter = presenter != nullptr ? presenter : &g_dialog_presenter;
    return previous;
}

void show_error_report(HWND owner, const char* format, ...)
{
    char text[MessageBoxDialog::kTextSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    g_presenter->show_error(owner, text);
}

void show_out_of_memory_report(HWND owner)
{
    g_presenter->show_out_of_memory(owner);
}

void format_into_control(HWND control, const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetWindowTextA(control, text);
}
