#pragma once
// Runs one Runnable on a new operating-system thread and lets its owner wait for
// it. CREATED -> start() -> STARTED -> join() -> JOINED -> destructor; a
// ThreadImpl is started at most once, and the runnable must outlive the thread.
//
// No operation throws: a broken rule (starting twice, joining before starting, a
// failed start or wait) becomes an assertion report and the operation returns
// without changing the state. start, join and the destructor belong to the owner's
// thread; only the runnable's run executes on the new one.

#include "platform/thread/NativeThread.h"
#include "platform/thread/Runnable.h"
#include "platform/thread/Thread.h"

namespace platform::thread {

class ThreadImpl : public Thread, public Joinable, public ThreadIdentity {
public:
    static constexpr int CREATED = 0;
    static constexpr int STARTED = 1;
    static constexpr int JOINED = 2;

    explicit ThreadImpl(Runnable* runnable);
    ~ThreadImpl() override;
    ThreadImpl(const ThreadImpl&) = delete;
    ThreadImpl& operator=(const ThreadImpl&) = delete;

    void start() override;
    void join() override;
    bool isCurrentThread() override;

    int getState() const { return _state; }

private:
    void _start();
    void _join();

    Runnable* _runnable;
    NativeThread* _thread = nullptr;
    unsigned long _id = 0;
    int _state = CREATED;
};

// The body of every thread ThreadImpl starts: runs the Runnable p and returns 0.
// A run that throws ends the thread with one assertion report and the exit code
// 0xFFFFFFFF (-1); nothing reaches the starting thread.
unsigned threadProcedure(void* p);

}  // namespace platform::thread
