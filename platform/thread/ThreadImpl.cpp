#include "platform/thread/ThreadImpl.h"

#include "platform/failure/Assertion.h"

// A precondition that reports its own text when broken and lets the caller return.
#define THREAD_REQUIRE(condition) \
    ((condition) ? true : (assertionFailed(#condition, __FILE__, __LINE__), false))

namespace platform::thread {

unsigned threadProcedure(void* p) {
    try {
        // Without a runnable there is nothing to run; calling through null would
        // end the whole process instead of this thread.
        if (!THREAD_REQUIRE(p)) return static_cast<unsigned>(-1);
        static_cast<Runnable*>(p)->run();
        return 0;
    } catch (...) {
        TAMBLIX_ASSERT(false);
        return static_cast<unsigned>(-1);
    }
}

ThreadImpl::ThreadImpl(Runnable* runnable) : _runnable(runnable) {}

ThreadImpl::~ThreadImpl() {
    TAMBLIX_ASSERT(_state == CREATED || _state == JOINED);
    if (_state == JOINED) {
        bool ret = closeNativeThread(_thread);
        TAMBLIX_ASSERT(ret);
    } else if (_thread) {
        // Destroyed while the thread runs: the thread goes on by itself; only
        // this object's hold on it ends.
        closeNativeThread(_thread);
    }
}

void ThreadImpl::start() {
    try {
        _start();
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
}

void ThreadImpl::_start() {
    const bool created = THREAD_REQUIRE(_state == CREATED);
    const bool unused = THREAD_REQUIRE(!_thread);
    if (!created || !unused) return;
    // The new thread writes its own id before its runnable starts, so that
    // isCurrentThread already answers inside run.
    NativeThread* thread = startNativeThread(threadProcedure, _runnable, &_id);
    const bool handle = THREAD_REQUIRE(thread);
    const bool identified = THREAD_REQUIRE(_id);
    if (!handle || !identified) {
        if (thread) closeNativeThread(thread);
        return;
    }
    _thread = thread;
    _state = STARTED;
}

void ThreadImpl::join() {
    try {
        _join();
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
}

void ThreadImpl::_join() {
    if (!THREAD_REQUIRE(_state == STARTED || _state == JOINED)) return;
    if (_state == JOINED) return;
    int ret = waitNativeThread(_thread);
    if (!THREAD_REQUIRE(ret == WAIT_OBJECT_0)) return;
    _state = JOINED;
}

bool ThreadImpl::isCurrentThread() {
    unsigned long id = currentNativeThreadId();
    TAMBLIX_ASSERT(id);
    return id == _id;
}

}  // namespace platform::thread
