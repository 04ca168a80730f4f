// A MessagePresenter for tests: records every message box in order and turns
// the fatal stop into a FatalStopped exception. Install it with
// ScopedRecordingPresenter for the length of a test.
#ifndef LEXON_TESTS_RECORDING_PRESENTER_H
#define LEXON_TESTS_RECORDING_PRESENTER_H

#include "translator/app/messages.h"

#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

struct FatalStopped : std::runtime_error {
    explicit FatalStopped(int code) : std::runtime_error("fatal stop"), exit_code(code) {}
    int exit_code;
};

struct RecordedMessage {
    std::string caption;   // kErrorBoxCaption or kInfoBoxCaption
    std::string text;
};

class RecordingPresenter : public MessagePresenter {
public:
    void ShowError(const std::string& text) override { Add(kErrorBoxCaption, text); }
    void ShowInfo(const std::string& text) override { Add(kInfoBoxCaption, text); }
    [[noreturn]] void FatalStop(int exit_code) override { throw FatalStopped(exit_code); }

    std::vector<RecordedMessage> Messages() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    std::vector<std::string> Errors() const { return TextsWithCaption(kErrorBoxCaption); }
    std::vector<std::string> Infos() const { return TextsWithCaption(kInfoBoxCaption); }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.clear();
    }

private:
    void Add(const char* caption, const std::string& text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back({caption, text});
    }
    std::vector<std::string> TextsWithCaption(const std::string& caption) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::string> texts;
        for (const RecordedMessage& m : messages_)
            if (m.caption == caption) texts.push_back(m.text);
        return texts;
    }
    mutable std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
};

class ScopedRecordingPresenter {
public:
    ScopedRecordingPresenter() : previous_(SetMessagePresenter(&recorder_)) {}
    ~ScopedRecordingPresenter() { SetMessagePresenter(previous_); }
    RecordingPresenter& operator*() { return recorder_; }
    RecordingPresenter* operator->() { return &recorder_; }

private:
    RecordingPresenter recorder_;
    MessagePresenter* previous_;
};

#endif
