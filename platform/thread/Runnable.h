#pragma once
// A piece of work that a thread runs exactly once.

namespace platform::thread {

class Runnable {
public:
    virtual ~Runnable() = default;
    virtual void run() = 0;
};

}  // namespace platform::thread
