#include <gtest/gtest.h>

#include <signal.h>

#include <condition_variable>
#include <mutex>

#include "app/cli/InterruptWatcher.h"

namespace {

using com::quorvex::products::tamblix::cli::InterruptWatcher;

volatile sig_atomic_t earlierHandlerCalls = 0;
void earlierHandler(int) { earlierHandlerCalls = earlierHandlerCalls + 1; }

TEST(InterruptWatcher, CtrlCCallsBackOnItsOwnThreadAndTheEarlierHandlingReturns) {
    struct sigaction earlier {};
    earlier.sa_handler = earlierHandler;
    sigemptyset(&earlier.sa_mask);
    struct sigaction saved {};
    ASSERT_EQ(::sigaction(SIGINT, &earlier, &saved), 0);

    std::mutex lock;
    std::condition_variable changed;
    int calls = 0;
    {
        const InterruptWatcher watcher([&] {
            std::lock_guard<std::mutex> hold(lock);
            ++calls;
            changed.notify_all();
        });
        ASSERT_EQ(::raise(SIGINT), 0);
        ASSERT_EQ(::raise(SIGINT), 0);
        std::unique_lock<std::mutex> hold(lock);
        EXPECT_TRUE(changed.wait_for(hold, std::chrono::seconds(10), [&] { return calls == 2; }));
        EXPECT_EQ(earlierHandlerCalls, 0);
    }
    // The watcher is gone: the process's own handling again.
    ASSERT_EQ(::raise(SIGINT), 0);
    EXPECT_EQ(earlierHandlerCalls, 1);
    EXPECT_EQ(calls, 2);
    ::sigaction(SIGINT, &saved, nullptr);
}

}  // namespace
