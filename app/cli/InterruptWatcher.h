#pragma once
// Ctrl+C while the object lives: instead of ending the process, the interrupt
// calls onInterrupt, on a thread of the watcher's own (never inside the signal
// handler), once per interrupt. The previous handling is restored on
// destruction. One watcher at a time per process.

#include <functional>
#include <memory>

namespace com::quorvex::products::tamblix::cli {

class InterruptWatcher {
public:
    explicit InterruptWatcher(std::function<void()> onInterrupt);
    ~InterruptWatcher();
    InterruptWatcher(const InterruptWatcher&) = delete;
    InterruptWatcher& operator=(const InterruptWatcher&) = delete;

    class Platform;

private:
    std::unique_ptr<Platform> _platform;
};

// True when the process's error output is a terminal.
bool standardErrorIsTerminal();

}  // namespace com::quorvex::products::tamblix::cli
