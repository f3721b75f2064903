#pragma once
// The three faces of a worker thread: starting it, waiting for it, and asking
// whether the caller is it.

namespace platform::thread {

class Thread {
public:
    virtual ~Thread() = default;
    virtual void start() = 0;
};

class Joinable {
public:
    virtual ~Joinable() = default;
    virtual void join() = 0;
};

class ThreadIdentity {
public:
    virtual ~ThreadIdentity() = default;
    virtual bool isCurrentThread() = 0;
};

}  // namespace platform::thread
