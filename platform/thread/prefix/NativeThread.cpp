// POSIX threads under ThreadImpl; only Linux-specific code belongs in this file.
#include "platform/thread/NativeThread.h"

#include <pthread.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"

namespace platform::thread {

struct NativeThread {
    pthread_t handle;
    bool waited = false;
    unsigned exitCode = 0;
};

namespace {

// Lives on the starting thread's stack until the new thread has taken what it
// needs and published its id.
struct StartBlock {
    StartBlock(ThreadProcedure p, void* a, unsigned long* i) : procedure(p), argument(a), id(i) {}
    ThreadProcedure procedure;
    void* argument;
    unsigned long* id;
    std::mutex lock;
    std::condition_variable changed;
    bool published = false;
};

void* threadEntry(void* raw) {
    auto* block = static_cast<StartBlock*>(raw);
    const ThreadProcedure procedure = block->procedure;
    void* const argument = block->argument;
    {
        // Notifying under the lock keeps the block alive until we let go of it.
        std::lock_guard<std::mutex> hold(block->lock);
        *block->id = static_cast<unsigned long>(gettid());
        block->published = true;
        block->changed.notify_one();
    }
    const unsigned code = procedure(argument);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(code));
}

}  // namespace

NativeThread* startNativeThread(ThreadProcedure procedure, void* argument, unsigned long* id) {
    StartBlock block(procedure, argument, id);
    auto* thread = new NativeThread;
    const int rc = pthread_create(&thread->handle, nullptr, threadEntry, &block);
    if (rc != 0) {
        delete thread;
        setLastError(windowsErrorOfErrno(rc));
        return nullptr;
    }
    std::unique_lock<std::mutex> hold(block.lock);
    block.changed.wait(hold, [&] { return block.published; });
    return thread;
}

int waitNativeThread(NativeThread* thread) {
    if (!thread) {
        setLastError(winerror::INVALID_HANDLE);
        return WAIT_FAILED;
    }
    if (thread->waited) return WAIT_OBJECT_0;
    void* result = nullptr;
    const int rc = pthread_join(thread->handle, &result);
    if (rc != 0) {
        setLastError(windowsErrorOfErrno(rc));
        return WAIT_FAILED;
    }
    thread->waited = true;
    thread->exitCode = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(result));
    return WAIT_OBJECT_0;
}

unsigned nativeExitCode(const NativeThread* thread) { return thread ? thread->exitCode : 0; }

bool closeNativeThread(NativeThread* thread) {
    if (!thread) {
        setLastError(winerror::INVALID_HANDLE);
        return false;
    }
    int rc = 0;
    if (!thread->waited) rc = pthread_detach(thread->handle);
    delete thread;
    if (rc != 0) setLastError(windowsErrorOfErrno(rc));
    return rc == 0;
}

unsigned long currentNativeThreadId() { return static_cast<unsigned long>(gettid()); }

}  // namespace platform::thread
