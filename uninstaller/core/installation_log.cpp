#include "installation_log.h"

#include <cstdio>
#include <new>

#include "log_stream.h"
#include "operation_kinds.h"
#include "report.h"

namespace {

// Reports why a read of the stream failed.
void report_stream_error(const LogStream& in, Reporter& reporter)
{
    switch (in.error()) {
    case kLogPathTooLong:
        reporter.report_error(format_message(kMsgInvalidPath, in.bad_path()));
        break;
    case kLogInvalidValue:
        reporter.report_error(kMsgInvalidLog);
        break;
    case kLogUnstorable:
        reporter.report_out_of_memory();
        break;
    case kLogOk:
    case kLogEndOfData:
        reporter.report_error(kMsgUnableToReadLog);
        break;
    }
}

bool load_records(LogStream& in, Reporter& reporter, InstallationLog* log)
{
    for (;;) {
        // A clean end of file between two records ends the list.
        if (in.at_end())
            return true;
        int32_t kind;
        if (!in.read_int32(&kind)) {
            reporter.report_error(kMsgUnableToReadLog);
            return false;
        }
        std::unique_ptr<Operation> record;
        try {
            record = create_operation(kind);
        } catch (const std::bad_alloc&) {
            reporter.report_out_of_memory();
            return false;
        }
        if (!record) {
            reporter.report_error(kMsgInvalidLog);
            return false;
        }
        if (!record->read_fields(in)) {
            report_stream_error(in, reporter);
            return false;
        }
        record->reset();
        log->records.push_back(std::move(record));
    }
}

}  // namespace

bool load_installation_log(const unsigned char* data, size_t size, Reporter& reporter,
                           InstallationLog* log)
{
    log->records.clear();
    log->title.clear();
    log->version = 0;

    LogStream in(data, size);
    unsigned char set_aside[12];
    unsigned char version_bytes[4];
    if (!in.read_block(set_aside, sizeof set_aside) ||
        !in.read_block(version_bytes, sizeof version_bytes)) {
        reporter.report_error(kMsgIncorrectVersion);
        return false;
    }
    uint32_t version = (uint32_t(version_bytes[0]) << 24) | (uint32_t(version_bytes[1]) << 16) |
                       (uint32_t(version_bytes[2]) << 8) | uint32_t(version_bytes[3]);
    if (version != kLogVersion15 && version != kLogVersion21) {
        reporter.report_error(kMsgIncorrectVersion);
        return false;
    }
    in.set_version(version);
    log->version = version;
    if (!in.read_string(&log->title)) {
        report_stream_error(in, reporter);
        return false;
    }
    bool ok;
    try {
        ok = load_records(in, reporter, log);
    } catch (const std::bad_alloc&) {
        reporter.report_out_of_memory();
        ok = false;
    }
    if (!ok)
        log->records.clear();
    return ok;
}

bool load_installation_log_file(const char* path, Reporter& reporter, InstallationLog* log)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        reporter.report_error(format_message(kMsgUnableToOpenFile, path));
        return false;
    }
    std::vector<unsigned char> bytes;
    bool read_ok = true;
    try {
        unsigned char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        read_ok = !std::ferror(file);
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        reporter.report_out_of_memory();
        return false;
    }
    std::fclose(file);
    if (!read_ok) {
        reporter.report_error(kMsgUnableToReadLog);
        return false;
    }
    const unsigned char* data = bytes.empty() ? nullptr : &bytes[0];
    return load_installation_log(data, bytes.size(), reporter, log);
}
