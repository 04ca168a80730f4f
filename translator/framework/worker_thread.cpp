#include "translator/framework/worker_thread.h"

#include <windows.h>
#include <process.h>

#include <new>

namespace {

struct ThreadStart {
    WorkerProc proc;
    void* param;
};

unsigned __stdcall ThreadEntry(void* start_block)
{
    ThreadStart start = *static_cast<ThreadStart*>(start_block);
    delete static_cast<ThreadStart*>(start_block);
    try {
        return start.proc(start.param);
    } catch (...) {
        return static_cast<unsigned>(-1);  // a worker's failure ends only that worker
    }
}

ThreadWorkerLauncher g_thread_launcher;
WorkerLauncher* g_launcher = &g_thread_launcher;

}  // namespace

bool ThreadWorkerLauncher::Start(WorkerProc proc, void* param)
{
    if (!proc) return false;
    ThreadStart* start = new (std::nothrow) ThreadStart{proc, param};
    if (!start) return false;
    unsigned thread_id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, ThreadEntry, start, 0, &thread_id);
    if (handle == 0) {
        delete start;
        return false;
    }
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

WorkerLauncher* SetWorkerLauncher(WorkerLauncher* launcher)
{
    WorkerLauncher* previous = g_launcher;
    g_launcher = launcher ? launcher : &g_thread_launcher;
    return previous;
}

bool StartWorkerThread(WorkerProc proc, void* param)
{
    return g_launcher->Start(proc, param);
}
