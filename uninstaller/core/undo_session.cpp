#include "undo_session.h"

#include "tick_timer.h"
#include "undo_services.h"

UndoSession::UndoSession(UndoServices& services, RunDriver& driver)
    : services_(services), driver_(driver)
{
}

UndoSession::~UndoSession()
{
}

void UndoSession::set_records(const std::string& title,
                              std::vector<std::unique_ptr<Operation>> records)
{
    title_ = title;
    records_ = std::move(records);
    for (size_t i = 0; i < records_.size(); ++i)
        records_[i]->set_owner(this);
}

long UndoSession::last_will_undo(size_t limit) const
{
    for (size_t i = limit; i > 0; --i) {
        if (records_[i - 1]->state() == WillUndo)
            return long(i - 1);
    }
    return -1;
}

void UndoSession::run(uint32_t pause_ms)
{
    if (status_ == Running)
        return;
    long first = last_will_undo(records_.size());
    if (first < 0)
        return;
    if (status_ == NotStarted && !driver_.confirm_run(title_))
        return;
    status_ = Running;
    stop_requested_ = false;
    driver_.run_began();

    for (long index = first; index >= 0; --index) {
        Operation& op = *records_[size_t(index)];
        if (op.state() != WillUndo)
            continue;
        TickTimer pause(driver_.tick_count(), pause_ms);
        driver_.record_selected(size_t(index));

        services_.set_quiet(true);
        bool ok = op.undo(services_);
        services_.set_quiet(false);
        op.set_state(ok ? UndoneOk : UndoneFailed);
        driver_.record_done(size_t(index));

        for (;;) {
            uint32_t now = driver_.tick_count();
            if (pause.elapsed(now))
                break;
            driver_.pump_messages(pause.remaining(now));
            if (stop_requested_) {
                end_run();
                return;
            }
        }
    }
    end_run();
}

void UndoSession::end_run()
{
    status_ = stop_requested_ ? Stopped : Finished;
    driver_.run_ended(status_);
}

void UndoSession::request_stop()
{
    if (status_ == Running)
        stop_requested_ = true;
}

void UndoSession::reset()
{
    if (status_ == NotStarted || status_ == Running)
        return;
    reboot_needed_ = false;
    status_ = Finished;
    for (size_t i = 0; i < records_.size(); ++i)
        records_[i]->reset();
    driver_.records_reset();
}

bool UndoSession::set_user_state(size_t index, OperationState state)
{
    if (status_ == Running || index >= records_.size())
        return false;
    Operation& op = *records_[index];
    if (state == WillUndo && op.state() == WontUndo) {
        op.set_state(WillUndo);
        return true;
    }
    if (state == WontUndo && op.state() == WillUndo) {
        op.set_state(WontUndo);
        return true;
    }
    return false;
}

Completion UndoSession::completion() const
{
    if (status_ == NotStarted)
        return CompletionIncomplete;
    for (size_t i = 0; i < records_.size(); ++i) {
        OperationState state = records_[i]->state();
        if (state == WillUndo || state == UndoneFailed)
            return CompletionAsk;
    }
    return CompletionComplete;
}
