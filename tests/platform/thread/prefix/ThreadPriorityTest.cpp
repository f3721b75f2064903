#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "platform/thread/ThreadImpl.h"
#include "platform/thread/ThreadPriority.h"

namespace {

int niceOfCallingThread() {
    errno = 0;
    const int value = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    EXPECT_EQ(errno, 0);
    return value;
}

struct LoweringRunnable : platform::thread::Runnable {
    bool lowered = false;
    int before = 0;
    int after = 0;
    void run() override {
        before = niceOfCallingThread();
        lowered = platform::thread::lowerCurrentThreadPriority();
        after = niceOfCallingThread();
    }
};

TEST(ThreadPriority, LowersTheWorkerOnlyAndLeavesItsOwnerAlone) {
    const int owner = niceOfCallingThread();
    if (owner >= 19) GTEST_SKIP() << "the test already runs at the weakest priority";
    LoweringRunnable work;
    platform::thread::ThreadImpl thread(&work);
    thread.start();
    thread.join();
    EXPECT_TRUE(work.lowered);
    EXPECT_EQ(work.before, owner);
    EXPECT_GT(work.after, owner);
    EXPECT_EQ(niceOfCallingThread(), owner);
}

}  // namespace
