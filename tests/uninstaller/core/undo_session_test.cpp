// The undo run: order, pauses on a scripted clock, stop/resume/restart,
// reset, user state changes, the completion test, and the tick timer across
// a wrapping tick count.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "installation_log.h"
#include "log_stream.h"
#include "operation_kinds.h"
#include "recording_services.h"
#include "report.h"
#include "tick_timer.h"
#include "undo_session.h"

namespace {

// A driver with a clock that advances 10 ms per pump; it records what the
// dialog would do and can run a hook in a pump (as a click would).
class FakeDriver : public RunDriver {
public:
    bool confirm_answer = true;
    int confirmations = 0;
    std::string confirmed_title;
    std::vector<std::string> events;
    uint32_t now = 1000;
    uint32_t step = 10;
    int pumps = 0;
    std::function<void(int pump)> on_pump;

    bool confirm_run(const std::string& title) override
    {
        ++confirmations;
        confirmed_title = title;
        events.push_back("confirm");
        return confirm_answer;
    }
    void run_began() override { events.push_back("began"); }
    void record_selected(size_t index) override { events.push_back("select " + std::to_string(index)); }
    void record_done(size_t index) override { events.push_back("done " + std::to_string(index)); }
    void run_ended(RunStatus status) override
    {
        events.push_back(status == Stopped ? "ended Stopped" : status == Finished ? "ended Finished"
                                                                                  : "ended ?");
    }
    void records_reset() override { events.push_back("reset"); }
    uint32_t tick_count() override { return now; }
    void pump_messages(uint32_t max_wait_ms) override
    {
        ++pumps;
        EXPECT_GT(max_wait_ms, 0u);
        EXPECT_LE(max_wait_ms, 101u);
        now += step;
        if (on_pump)
            on_pump(pumps);
    }
};

// A log of: 0 MakeDir C:\A, 1 CreateFile C:\B, 2 DeleteFile C:\C (CantUndo),
// 3 InstallFont with flag 0 (WontUndo), 4 CreateFile C:\E.
std::vector<std::unique_ptr<Operation>> five_records()
{
    LogWriter w;
    w.header(nullptr, kLogVersion21, "Product");
    w.int32(kMakeDir); w.string("C:\\A");
    w.int32(kCreateFile); w.string("C:\\B");
    w.int32(kDeleteFile); w.string("C:\\C");
    w.int32(kInstallFont); w.string("C:\\D.TTF"); w.int32(0);
    w.int32(kCreateFile); w.string("C:\\E");
    InstallationLog log;
    RecordingReporter reporter;
    EXPECT_TRUE(load_installation_log(&w.bytes[0], w.bytes.size(), reporter, &log));
    return std::move(log.records);
}

struct Fixture {
    RecordingServices services;
    FakeDriver driver;
    UndoSession session{services, driver};
    Fixture()
    {
        services.results["directory_has_entries"] = 0;
        session.set_records("Product", five_records());
    }
    std::vector<OperationState> states() const
    {
        std::vector<OperationState> result;
        for (size_t i = 0; i < session.record_count(); ++i)
            result.push_back(session.record(i).state());
        return result;
    }
};

typedef std::vector<std::string> Events;

}  // namespace

TEST(TickTimer, ElapsesAfterTheDurationEvenAcrossTheWrap)
{
    TickTimer plain(1000, 100);
    EXPECT_FALSE(plain.elapsed(1000));
    EXPECT_FALSE(plain.elapsed(1100));
    EXPECT_TRUE(plain.elapsed(1101));
    EXPECT_TRUE(plain.elapsed(999));  // the tick count wrapped meanwhile

    // Start 50 ms before the wrap: the end lies at 49 after it.
    TickTimer wrapping(0xFFFFFFFFu - 50, 100);
    EXPECT_FALSE(wrapping.elapsed(0xFFFFFFFFu - 50));
    EXPECT_FALSE(wrapping.elapsed(0xFFFFFFFFu));
    EXPECT_FALSE(wrapping.elapsed(0));
    EXPECT_FALSE(wrapping.elapsed(49));
    EXPECT_TRUE(wrapping.elapsed(50));
    EXPECT_TRUE(wrapping.elapsed(5000));
    EXPECT_EQ(50u, wrapping.remaining(0));
    EXPECT_EQ(0u, wrapping.remaining(50));
}

TEST(UndoSession, PauseAcrossAWrappingTickCountLasts100Ms)
{
    Fixture f;
    f.driver.now = 0xFFFFFFFFu - 30;
    f.driver.step = 1;
    f.session.run(100);
    // Three records are undone; each pause ends after at least 100 ticks.
    EXPECT_EQ(Finished, f.session.status());
    EXPECT_GE(f.driver.pumps, 3 * 100);
    EXPECT_LE(f.driver.pumps, 3 * 102);
}

TEST(UndoSession, RunUndoesFromLastToFirstWithConfirmation)
{
    Fixture f;
    f.session.run();
    EXPECT_EQ(1, f.driver.confirmations);
    EXPECT_EQ("Product", f.driver.confirmed_title);
    EXPECT_EQ((Events{"confirm", "began", "select 4", "done 4", "select 1", "done 1", "select 0",
                      "done 0", "ended Finished"}),
              f.driver.events);
    EXPECT_EQ((std::vector<std::string>{"delete_file C:\\E", "delete_file C:\\B",
                                        "directory_has_entries C:\\A",
                                        "remove_directory_tree C:\\A"}),
              f.services.calls);
    // Every primitive ran quietly, and the flag is cleared afterwards.
    for (bool quiet : f.services.quiet_during_call)
        EXPECT_TRUE(quiet);
    EXPECT_FALSE(f.services.quiet);
    EXPECT_EQ((std::vector<OperationState>{UndoneOk, UndoneOk, CantUndo, WontUndo, UndoneOk}),
              f.states());
    // 100 ms pause at 10 ms per pump: 10 or 11 pumps per record.
    EXPECT_GE(f.driver.pumps, 30);
    EXPECT_LE(f.driver.pumps, 33);
    EXPECT_EQ(CompletionComplete, f.session.completion());
}

TEST(UndoSession, DeclinedConfirmationChangesNothing)
{
    Fixture f;
    f.driver.confirm_answer = false;
    f.session.run();
    EXPECT_EQ(NotStarted, f.session.status());
    EXPECT_EQ((Events{"confirm"}), f.driver.events);
    EXPECT_TRUE(f.services.calls.empty());
    EXPECT_EQ(CompletionIncomplete, f.session.completion());
}

TEST(UndoSession, NothingToUndoAsksNothing)
{
    Fixture f;
    f.session.set_user_state(0, WontUndo);
    f.session.set_user_state(1, WontUndo);
    f.session.set_user_state(4, WontUndo);
    f.session.run();
    EXPECT_TRUE(f.driver.events.empty());
    EXPECT_EQ(NotStarted, f.session.status());
}

TEST(UndoSession, FailuresAreRecordedAndTheRunGoesOn)
{
    Fixture f;
    f.services.results["delete_file"] = 0;
    f.session.run();
    EXPECT_EQ((std::vector<OperationState>{UndoneOk, UndoneFailed, CantUndo, WontUndo,
                                           UndoneFailed}),
              f.states());
    EXPECT_EQ(Finished, f.session.status());
    EXPECT_EQ(CompletionAsk, f.session.completion());
}

TEST(UndoSession, StopInThePauseThenResumeWithoutConfirmation)
{
    Fixture f;
    // The user presses Stop during the pause after the first record.
    f.driver.on_pump = [&](int pump) {
        if (pump == 2)
            f.session.request_stop();
    };
    f.session.run();
    EXPECT_EQ(Stopped, f.session.status());
    EXPECT_EQ((Events{"confirm", "began", "select 4", "done 4", "ended Stopped"}), f.driver.events);
    EXPECT_EQ((std::vector<OperationState>{WillUndo, WillUndo, CantUndo, WontUndo, UndoneOk}),
              f.states());
    EXPECT_EQ(CompletionAsk, f.session.completion());

    f.driver.events.clear();
    f.driver.on_pump = nullptr;
    f.session.run();
    EXPECT_EQ(1, f.driver.confirmations);
    EXPECT_EQ((Events{"began", "select 1", "done 1", "select 0", "done 0", "ended Finished"}),
              f.driver.events);
    EXPECT_FALSE(f.session.stop_requested());
    EXPECT_EQ(Finished, f.session.status());
    // Record 4 was not undone twice.
    EXPECT_EQ(1, std::count(f.services.calls.begin(), f.services.calls.end(), "delete_file C:\\E"));
}

TEST(UndoSession, UndoOutlastingThePauseDispatchesNothing)
{
    Fixture f;
    // Each undo takes 500 ms: the clock jumps while the record is undone.
    struct SlowServices : RecordingServices {
        FakeDriver* driver = nullptr;
        int delete_file(const char* path) override
        {
            driver->now += 500;
            return RecordingServices::delete_file(path);
        }
    };
    SlowServices slow;
    slow.driver = &f.driver;
    UndoSession session(slow, f.driver);
    session.set_records("P", five_records());
    session.set_user_state(0, WontUndo);
    session.run();
    EXPECT_EQ(0, f.driver.pumps);
    EXPECT_EQ(Finished, session.status());
}

TEST(UndoSession, RestartRunsOnlyRecordsSetBackToWillUndo)
{
    Fixture f;
    f.session.run();
    f.driver.events.clear();
    f.services.calls.clear();
    // Nothing left: Restart does nothing at all.
    f.session.run();
    EXPECT_TRUE(f.driver.events.empty());

    // Undone records cannot be set back; a WontUndo one can.
    EXPECT_FALSE(f.session.set_user_state(4, WillUndo));
    EXPECT_FALSE(f.session.set_user_state(2, WillUndo));
    EXPECT_TRUE(f.session.set_user_state(3, WillUndo));
    f.session.run();
    EXPECT_EQ((Events{"began", "select 3", "done 3", "ended Finished"}), f.driver.events);
    EXPECT_EQ((std::vector<std::string>{"remove_font_resource C:\\D.TTF"}), f.services.calls);
}

TEST(UndoSession, ResetRestoresInitialStatesAndClearsReboot)
{
    Fixture f;
    f.session.reset();  // ignored before any run
    EXPECT_EQ(NotStarted, f.session.status());
    EXPECT_TRUE(f.driver.events.empty());

    f.services.results["delete_file"] = 0;
    f.session.run();
    f.session.set_reboot_needed();
    f.session.reset();
    EXPECT_EQ(Finished, f.session.status());
    EXPECT_FALSE(f.session.reboot_needed());
    EXPECT_EQ("reset", f.driver.events.back());
    EXPECT_EQ((std::vector<OperationState>{WillUndo, WillUndo, CantUndo, WontUndo, WillUndo}),
              f.states());
    // After Reset, Quit asks while a record is WillUndo.
    EXPECT_EQ(CompletionAsk, f.session.completion());
}

TEST(UndoSession, RebootNeededComesFromTheSharedFileUndo)
{
    RecordingServices services;
    services.results["delete_file"] = 0;  // in use
    FakeDriver driver;
    UndoSession session(services, driver);
    LogWriter w;
    w.header(nullptr, kLogVersion21, "P");
    w.int32(kInstallCreateFile);
    w.string("A:\\X.DLL");
    w.string("C:\\P\\X.DLL");
    w.int32(1);
    InstallationLog log;
    RecordingReporter reporter;
    ASSERT_TRUE(load_installation_log(&w.bytes[0], w.bytes.size(), reporter, &log));
    session.set_records(log.title, std::move(log.records));
    session.run();
    EXPECT_TRUE(session.reboot_needed());
    EXPECT_EQ(UndoneOk, session.record(0).state());
    EXPECT_EQ(CompletionComplete, session.completion());
}

TEST(UndoSession, UserStateChangesAreRefusedWhileRunning)
{
    Fixture f;
    bool changed = true;
    f.driver.on_pump = [&](int pump) {
        if (pump == 1)
            changed = f.session.set_user_state(0, WontUndo);
    };
    f.session.run();
    EXPECT_FALSE(changed);
    EXPECT_EQ(UndoneOk, f.session.record(0).state());
}
