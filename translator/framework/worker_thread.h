// Worker-thread start.
//
// Long operations run on worker threads started with a thread procedure
// and one pointer parameter:
//
//   unsigned int Reindex(void* param);
//   StartWorkerThread(Reindex, nullptr);
//
// The thread runs at once, at normal priority, with the default stack size;
// the caller does not wait for it and keeps no handle. What a parameter
// points to is owned by the worker from then on (it frees it).
//
// Every start goes through the current WorkerLauncher, so that tests can
// install one that records which procedures were started with which
// parameters instead of running them. ThreadWorkerLauncher, which starts
// real threads, is in place until another is installed.
#ifndef LEXON_FRAMEWORK_WORKER_THREAD_H
#define LEXON_FRAMEWORK_WORKER_THREAD_H

typedef unsigned int (*WorkerProc)(void* param);

class WorkerLauncher {
public:
    virtual ~WorkerLauncher() = default;
    // Starts proc(param); false when no thread could be started (the
    // parameter then still belongs to the caller).
    virtual bool Start(WorkerProc proc, void* param) = 0;
};

class ThreadWorkerLauncher : public WorkerLauncher {
public:
    bool Start(WorkerProc proc, void* param) override;
};

// Installs launcher (null = the thread launcher) and returns the previous one.
WorkerLauncher* SetWorkerLauncher(WorkerLauncher* launcher);
bool StartWorkerThread(WorkerProc proc, void* param);

#endif
