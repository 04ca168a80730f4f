// UndoSession: the list of operation records of one installation log and
// the undo run over it, without any window. The main dialog owns one, gives
// it a RunDriver (its controls, the clock, the message pump and the
// confirmation) and the UndoServices (the system primitives), and calls
// run, request_stop, reset, set_user_state and completion from its message
// handling.
//
// The run walks the list from the last record to the first and undoes every
// record in state WillUndo, one at a time, with a pause after each during
// which the driver dispatches the pending window messages; a stop requested
// then (the Start button, labelled "&Stop" while running) ends the run as
// Stopped. A resumed or restarted run begins again at the last record still
// WillUndo, so nothing done is repeated. The confirmation is asked only
// before the very first run.
#ifndef RAVELUP_CORE_UNDO_SESSION_H
#define RAVELUP_CORE_UNDO_SESSION_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "operation.h"

class UndoServices;

enum RunStatus {
    NotStarted = 0,
    Finished = 1,
    Stopped = 2,
    Running = 3
};

// What Quit does after the completion test.
enum Completion {
    CompletionIncomplete,  // end with result 1 without a question (no run yet)
    CompletionAsk,         // ask the quit question (records left to undo or failed)
    CompletionComplete     // end with result 0 without a question
};

// The main dialog's side of the run.
class RunDriver {
public:
    virtual ~RunDriver() {}
    // "This will remove %s from your system\n\nContinue?" with the product
    // title; true on "&Yes".
    virtual bool confirm_run(const std::string& title) = 0;
    // A run begins: Start labelled "&Stop"; Quit, Reset, About disabled;
    // radio buttons updated (all disabled while running).
    virtual void run_began() = 0;
    // Before the undo of record index: select it, scroll it into view,
    // show its panel, radio buttons and fields.
    virtual void record_selected(size_t index) = 0;
    // After the undo of record index: redraw its list item, update the
    // radio buttons and fields, recompute the list extents.
    virtual void record_done(size_t index) = 0;
    // The run ended with status Stopped ("&Resume") or Finished
    // ("&Restart"): Quit, Reset, About enabled, radio buttons updated.
    virtual void run_ended(RunStatus status) = 0;
    // After Reset: the whole list redrawn, radio buttons updated, extents
    // recomputed.
    virtual void records_reset() = 0;
    // The system's millisecond tick count (GetTickCount).
    virtual uint32_t tick_count() = 0;
    // Dispatch the pending messages of the thread, waiting at most
    // max_wait_ms for one to arrive (0: do not wait).
    virtual void pump_messages(uint32_t max_wait_ms) = 0;
};

class UndoSession : public OperationOwner {
public:
    UndoSession(UndoServices& services, RunDriver& driver);
    ~UndoSession();

    // Takes the records of a loaded log (they become owned by the session
    // and their owner is set to it).
    void set_records(const std::string& title, std::vector<std::unique_ptr<Operation>> records);

    const std::string& title() const { return title_; }
    size_t record_count() const { return records_.size(); }
    Operation& record(size_t index) { return *records_[index]; }
    const Operation& record(size_t index) const { return *records_[index]; }

    RunStatus status() const { return status_; }
    bool stop_requested() const { return stop_requested_; }
    bool reboot_needed() const { return reboot_needed_; }
    void set_reboot_needed() override { reboot_needed_ = true; }

    // The Start button while not running: run, resume or restart with the
    // given pause after each undone record.
    void run(uint32_t pause_ms = 100);
    // The Start button while running.
    void request_stop();
    // The Reset button: ignored while NotStarted or Running.
    void reset();
    // Radio buttons 102 and 103: WillUndo <-> WontUndo on a record, not
    // while running. Returns whether the state changed.
    bool set_user_state(size_t index, OperationState state);
    // The completion test of Quit.
    Completion completion() const;

private:
    UndoSession(const UndoSession&);
    UndoSession& operator=(const UndoSession&);

    // The highest index in state WillUndo below 'limit', or -1.
    long last_will_undo(size_t limit) const;
    void end_run();

    UndoServices& services_;
    RunDriver& driver_;
    std::string title_;
    std::vector<std::unique_ptr<Operation>> records_;
    RunStatus status_ = NotStarted;
    bool stop_requested_ = false;
    bool reboot_needed_ = false;
};

#endif
