// A ReportPresenter for tests: records the error reports (with their owner
// window) and the out-of-memory reports instead of showing boxes. Install
// it for the length of a test with ScopedRecordingReports.
#ifndef RAVELUP_TESTS_RECORDING_REPORTS_H
#define RAVELUP_TESTS_RECORDING_REPORTS_H

#include "uninstaller/support/reports.h"

#include <string>
#include <vector>

class RecordingReports : public ReportPresenter {
public:
    void show_error(HWND owner, const std::string& text) override
    {
        errors.push_back(text);
        owners.push_back(owner);
    }
    void show_out_of_memory(HWND owner) override { errors.push_back(kOutOfMemoryText); }

    std::vector<std::string> errors;
    std::vector<HWND> owners;
};

class ScopedRecordingReports {
public:
    ScopedRecordingReports() : previous_(set_report_presenter(&recorder_)) {}
    ~ScopedRecordingReports() { set_report_presenter(previous_); }
    ScopedRecordingReports(const ScopedRecordingReports&) = delete;
    ScopedRecordingReports& operator=(const ScopedRecordingReports&) = delete;
    RecordingReports* operator->() { return &recorder_; }
    RecordingReports& operator*() { return recorder_; }

private:
    RecordingReports recorder_;
    ReportPresenter* previous_;
};

#endif
