// The Program Manager client against Wine's own Program Manager DDE server
// (shell32), for what that server supports: the "GROUPS" request, creating
// and deleting groups.
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/progman_client.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

typedef BOOL(WINAPI* ShellDdeInit)(BOOL);

class ShellServerThread {
public:
    ShellServerThread()
    {
        HMODULE shell32 = LoadLibraryA("shell32.dll");
        init_ = reinterpret_cast<ShellDdeInit>(
            reinterpret_cast<void*>(GetProcAddress(shell32, reinterpret_cast<LPCSTR>(188))));
        if (init_ == nullptr)
            return;
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] {
            thread_id_ = GetCurrentThreadId();
            init_(TRUE);
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue exists now
            SetEvent(ready);
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            init_(FALSE);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~ShellServerThread()
    {
        if (thread_.joinable()) {
            PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
            thread_.join();
        }
    }
    bool running() const { return thread_.joinable(); }

private:
    ShellDdeInit init_ = nullptr;
    DWORD thread_id_ = 0;
    std::thread thread_;
};

}  // namespace

TEST(ProgmanWine, GroupsAreCreatedListedAndDeleted)
{
    ScopedRecordingReports reports;
    fill_platform_info();
    // Start shell32's Program Manager DDE server on a thread of its own,
    // as the shell does at its start (ShellDDEInit, exported by ordinal 188).
    ShellServerThread server;
    ASSERT_TRUE(server.running());
    SystemContext context;
    ASSERT_EQ(1, progman_begin(context)) << (reports->errors.empty() ? "" : reports->errors[0]);
    EXPECT_NE(nullptr, context.conversation);
    std::string group = "RavTest" + std::to_string(GetCurrentProcessId());
    progman_delete_group(context, group.c_str());
    EXPECT_FALSE(progman_group_exists(context, group.c_str()));
    EXPECT_EQ(1, progman_delete_group(context, group.c_str())) << "a missing group counts as deleted";
    EXPECT_EQ(1, progman_create_group(context, group.c_str()));
    EXPECT_TRUE(progman_group_exists(context, group.c_str()));
    std::string lower = group;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(progman_group_exists(context, lower.c_str())) << "names match without regard to case";
    EXPECT_EQ(1, progman_create_group(context, group.c_str())) << "an existing group counts as created";
    EXPECT_EQ(1, progman_delete_group(context, group.c_str()));
    EXPECT_FALSE(progman_group_exists(context, group.c_str()));
    progman_end(context, true);
    EXPECT_EQ(nullptr, context.conversation);
    EXPECT_EQ(0u, context.dde_instance);
    EXPECT_TRUE(reports->errors.empty());
}
