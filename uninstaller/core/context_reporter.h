// ContextReporter: the core's Reporter on the Windows program's
// system-services context: each failure becomes the context's error box
// ("Error", exclamation icon, "&OK", owned by the context's owner window),
// shown unless the context is quiet.
#ifndef RAVELUP_CORE_CONTEXT_REPORTER_H
#define RAVELUP_CORE_CONTEXT_REPORTER_H

#include "uninstaller/core/report.h"
#include "uninstaller/system/system_context.h"

class ContextReporter : public Reporter {
public:
    explicit ContextReporter(SystemContext& context) : context_(context) {}
    void report_error(const std::string& text) override { context_.report_failure("%s", text.c_str()); }
    void report_out_of_memory() override { context_.report_out_of_memory(); }

private:
    SystemContext& context_;
};

#endif
