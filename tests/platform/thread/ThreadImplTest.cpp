#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/failure/Exception.h"
#include "platform/thread/ThreadImpl.h"
#include "tests/platform/thread/AssertionLog.h"
#include "tests/support/TempDir.h"

using platform::thread::Runnable;
using platform::thread::ThreadImpl;
using Messages = std::vector<std::string>;

namespace {

// Each test writes its reports into a scratch working directory of its own.
class ThreadImplTest : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
};

struct CountingRunnable : Runnable {
    std::atomic<int> runs{0};
    std::atomic<bool> ranOnItsThread{false};
    ThreadImpl* thread = nullptr;
    void run() override {
        ++runs;
        if (thread) ranOnItsThread = thread->isCurrentThread();
    }
};

TEST_F(ThreadImplTest, RunsOnceOnItsOwnThreadAndJoinsTwiceWithoutReport) {
    CountingRunnable work;
    {
        ThreadImpl thread(&work);
        work.thread = &thread;
        EXPECT_EQ(thread.getState(), ThreadImpl::CREATED);
        thread.start();
        EXPECT_EQ(thread.getState(), ThreadImpl::STARTED);
        EXPECT_FALSE(thread.isCurrentThread());
        thread.join();
        EXPECT_EQ(thread.getState(), ThreadImpl::JOINED);
        thread.join();
        EXPECT_EQ(thread.getState(), ThreadImpl::JOINED);
    }
    EXPECT_EQ(work.runs, 1);
    EXPECT_TRUE(work.ranOnItsThread);
    EXPECT_EQ(assertionMessages(), Messages{});
}

struct ThrowingRunnable : Runnable {
    int kind;
    explicit ThrowingRunnable(int k) : kind(k) {}
    void run() override {
        if (kind == 1) throw std::runtime_error("broken");
        if (kind == 2) throw com::quorvex::products::tamblix::TamblixEngineException("broken");
        if (kind == 3) throw 42;
    }
};

TEST_F(ThreadImplTest, ExitCodeAndReportOfTheThreadProcedure) {
    struct Case {
        const char* name;
        int kind;  // -1: no runnable at all
        unsigned exitCode;
        Messages reports;
    } cases[] = {
        {"run returns", 0, 0u, {}},
        {"standard exception", 1, 0xFFFFFFFFu, {"false"}},
        {"program exception", 2, 0xFFFFFFFFu, {"false"}},
        {"anything else", 3, 0xFFFFFFFFu, {"false"}},
        {"no runnable", -1, 0xFFFFFFFFu, {"p"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove("assertion.txt");
        ThrowingRunnable work(c.kind);
        unsigned long id = 0;
        auto* native = platform::thread::startNativeThread(platform::thread::threadProcedure,
                                                           c.kind < 0 ? nullptr : &work, &id);
        ASSERT_NE(native, nullptr);
        EXPECT_NE(id, 0u);
        EXPECT_EQ(platform::thread::waitNativeThread(native), platform::thread::WAIT_OBJECT_0);
        EXPECT_EQ(platform::thread::nativeExitCode(native), c.exitCode);
        EXPECT_TRUE(platform::thread::closeNativeThread(native));
        EXPECT_EQ(assertionMessages(), c.reports);
    }
}

TEST_F(ThreadImplTest, ThrowingRunEndsOnlyItsThreadAndTheOwnerJoinsNormally) {
    ThrowingRunnable work(1);
    {
        ThreadImpl thread(&work);
        thread.start();
        thread.join();
        EXPECT_EQ(thread.getState(), ThreadImpl::JOINED);
    }
    EXPECT_EQ(assertionMessages(), Messages{"false"});
}

TEST_F(ThreadImplTest, StartTwiceReportsAndRunsOnlyOnce) {
    CountingRunnable work;
    {
        ThreadImpl thread(&work);
        thread.start();
        thread.start();
        EXPECT_EQ(thread.getState(), ThreadImpl::STARTED);
        thread.join();
    }
    EXPECT_EQ(work.runs, 1);
    EXPECT_EQ(assertionMessages(), (Messages{"_state == CREATED", "!_thread"}));
}

TEST_F(ThreadImplTest, JoinBeforeStartReportsAndKeepsTheState) {
    CountingRunnable work;
    {
        ThreadImpl thread(&work);
        thread.join();
        EXPECT_EQ(thread.getState(), ThreadImpl::CREATED);
    }
    EXPECT_EQ(work.runs, 0);
    EXPECT_EQ(assertionMessages(), Messages{"_state == STARTED || _state == JOINED"});
}

// Holds its thread until released, then says that it ended.
struct BlockingRunnable : Runnable {
    std::promise<void> release;
    std::promise<void> ended;
    void run() override {
        release.get_future().wait();
        ended.set_value();
    }
};

TEST_F(ThreadImplTest, DestroyedWhileStartedReportsAndTheThreadRunsOn) {
    BlockingRunnable work;
    std::future<void> ended = work.ended.get_future();
    {
        ThreadImpl thread(&work);
        thread.start();
    }
    EXPECT_EQ(assertionMessages(), Messages{"_state == CREATED || _state == JOINED"});
    work.release.set_value();
    ended.wait();
}

TEST_F(ThreadImplTest, NeverStartedThreadIsDestroyedWithoutReport) {
    CountingRunnable work;
    { ThreadImpl thread(&work); }
    EXPECT_EQ(assertionMessages(), Messages{});
}

}  // namespace
