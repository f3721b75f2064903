#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/engine/AssertionLog.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"
#include "update/TamblixUpdate.h"

using namespace engine_testing;

namespace {

const std::string SCAN_RULE = "_state == ENGINE_READY || _state == ENGINE_UPDATE_FINISHED_UPDATED";
const std::string FIX_RULE = "_state == ENGINE_SCAN_FINISHED";
const std::string UPDATE_RULE = "_state == ENGINE_READY || _state == ENGINE_UPDATE_CANCELLED";
using Reports = std::vector<std::string>;

class EngineStateMachine : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
};

enum Op { SCAN, FIX, UPDATE, FINISH, CANCEL };
const char* const OP_NAMES[] = {"scan", "fix", "update", "finish", "cancel"};

// Brings a fresh harness into the state; SCANNING and FIXING are held by a
// plugin blocked until the log is released, UPDATING by the updater until it is
// cancelled.
void reach(EngineHarness& h, int state) {
    FakePlugin& plugin = h.plugin(0);
    auto finishedScan = [&] {
        h.engine->scan();
        h.waitForWorker();
    };
    switch (state) {
        case ENGINE_READY: break;
        case ENGINE_SCANNING:
            plugin.block = FakePlugin::IN_SCAN;
            h.engine->scan();
            h.log->waitFor("first blocked");
            break;
        case ENGINE_SCAN_FINISHED: finishedScan(); break;
        case ENGINE_SCAN_FAILED:
            plugin.scanFailure = [] { throw TamblixEngineException("broken"); };
            finishedScan();
            plugin.scanFailure = nullptr;
            break;
        case ENGINE_SCAN_CANCELLED:
            plugin.honoursCancel = true;
            h.engine->scan();
            h.log->waitFor("first working");
            h.engine->cancel();
            plugin.honoursCancel = false;
            break;
        case ENGINE_FIXING:
            finishedScan();
            plugin.block = FakePlugin::IN_FIX;
            h.engine->fix();
            h.log->waitFor("first blocked");
            break;
        case ENGINE_FIX_FINISHED:
            finishedScan();
            h.engine->fix();
            h.waitForWorker();
            break;
        case ENGINE_FIX_FAILED:
            finishedScan();
            plugin.fixWork = [](ScanResults&) { throw TamblixEngineException("broken"); };
            h.engine->fix();
            h.waitForWorker();
            plugin.fixWork = nullptr;
            break;
        case ENGINE_UPDATING:
            h.updater.waitForCancel = true;
            h.engine->update();
            h.updater.waitUntilAsked();
            break;
        case ENGINE_UPDATE_FINISHED_NOT_UPDATED:
            h.engine->update();
            h.waitForWorker();
            break;
        case ENGINE_UPDATE_FAILED:
            h.updater.failure = [] { throw TamblixUpdateException("broken"); };
            h.engine->update();
            h.waitForWorker();
            h.updater.failure = nullptr;
            break;
        case ENGINE_UPDATE_CANCELLED:
            h.updater.waitForCancel = true;
            h.engine->update();
            h.updater.waitUntilAsked();
            h.engine->cancel();
            h.waitForWorker();
            h.updater.waitForCancel = false;
            break;
    }
    ASSERT_EQ(h.engine->getState(), state);
}

// Every state but ENGINE_UPDATE_FINISHED_UPDATED, which needs the definitions
// store to reload what the updater installed.
TEST_F(EngineStateMachine, EveryOperationInEveryState) {
    struct Row {
        int from;
        Op op;
        std::vector<int> notified;
        int to;
        Reports reports;
    } rows[] = {
        {ENGINE_READY, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED, {}},
        {ENGINE_READY, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {FIX_RULE, FIX_RULE}},
        {ENGINE_READY, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {}},
        {ENGINE_READY, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_READY, CANCEL, {}, ENGINE_READY, {}},

        // The previous worker is joined first: the blocked scan ends, then the
        // operation runs.
        {ENGINE_SCANNING, SCAN, {ENGINE_SCAN_FINISHED, ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_SCANNING, FIX, {ENGINE_SCAN_FINISHED, ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE}},
        {ENGINE_SCANNING, UPDATE, {ENGINE_SCAN_FINISHED, ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_SCANNING, FINISH, {ENGINE_SCAN_FINISHED, ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_SCANNING, CANCEL, {ENGINE_SCAN_FINISHED, ENGINE_SCAN_CANCELLED}, ENGINE_SCAN_CANCELLED, {}},

        {ENGINE_SCAN_FINISHED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_SCAN_FINISHED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {}},
        {ENGINE_SCAN_FINISHED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_SCAN_FINISHED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_SCAN_FINISHED, CANCEL, {}, ENGINE_SCAN_FINISHED, {}},

        {ENGINE_SCAN_FAILED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_SCAN_FAILED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {FIX_RULE, FIX_RULE}},
        {ENGINE_SCAN_FAILED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_SCAN_FAILED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_SCAN_FAILED, CANCEL, {}, ENGINE_SCAN_FAILED, {}},

        {ENGINE_SCAN_CANCELLED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_SCAN_CANCELLED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE, FIX_RULE}},
        {ENGINE_SCAN_CANCELLED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_SCAN_CANCELLED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_SCAN_CANCELLED, CANCEL, {}, ENGINE_SCAN_CANCELLED, {}},

        {ENGINE_FIXING, SCAN, {ENGINE_FIX_FINISHED, ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_FIXING, FIX, {ENGINE_FIX_FINISHED, ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE, FIX_RULE}},
        {ENGINE_FIXING, UPDATE, {ENGINE_FIX_FINISHED, ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_FIXING, FINISH, {ENGINE_FIX_FINISHED, ENGINE_READY}, ENGINE_READY, {}},
        // A running fix is not interrupted.
        {ENGINE_FIXING, CANCEL, {ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {}},

        {ENGINE_FIX_FINISHED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_FIX_FINISHED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {FIX_RULE, FIX_RULE}},
        {ENGINE_FIX_FINISHED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_FIX_FINISHED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_FIX_FINISHED, CANCEL, {}, ENGINE_FIX_FINISHED, {}},

        {ENGINE_FIX_FAILED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_FIX_FAILED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {FIX_RULE, FIX_RULE}},
        {ENGINE_FIX_FAILED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_FIX_FAILED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_FIX_FAILED, CANCEL, {}, ENGINE_FIX_FAILED, {}},

        // The blocked update is cancelled shortly after the operation began.
        {ENGINE_UPDATING, SCAN, {ENGINE_UPDATE_CANCELLED, ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_UPDATING, FIX, {ENGINE_UPDATE_CANCELLED, ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE, FIX_RULE}},
        {ENGINE_UPDATING, UPDATE, {ENGINE_UPDATE_CANCELLED, ENGINE_UPDATING, ENGINE_UPDATE_CANCELLED},
         ENGINE_UPDATE_CANCELLED, {UPDATE_RULE}},
        {ENGINE_UPDATING, FINISH, {ENGINE_UPDATE_CANCELLED, ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_UPDATING, CANCEL, {ENGINE_UPDATE_CANCELLED}, ENGINE_UPDATE_CANCELLED, {}},

        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE, FIX_RULE}},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, CANCEL, {}, ENGINE_UPDATE_FINISHED_NOT_UPDATED, {}},

        {ENGINE_UPDATE_FAILED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_UPDATE_FAILED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED, {FIX_RULE, FIX_RULE}},
        {ENGINE_UPDATE_FAILED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {UPDATE_RULE, UPDATE_RULE}},
        {ENGINE_UPDATE_FAILED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_UPDATE_FAILED, CANCEL, {}, ENGINE_UPDATE_FAILED, {}},

        {ENGINE_UPDATE_CANCELLED, SCAN, {ENGINE_SCANNING, ENGINE_SCAN_FINISHED}, ENGINE_SCAN_FINISHED,
         {SCAN_RULE, SCAN_RULE}},
        {ENGINE_UPDATE_CANCELLED, FIX, {ENGINE_FIXING, ENGINE_FIX_FINISHED}, ENGINE_FIX_FINISHED,
         {FIX_RULE, FIX_RULE}},
        {ENGINE_UPDATE_CANCELLED, UPDATE, {ENGINE_UPDATING, ENGINE_UPDATE_FINISHED_NOT_UPDATED},
         ENGINE_UPDATE_FINISHED_NOT_UPDATED, {}},
        {ENGINE_UPDATE_CANCELLED, FINISH, {ENGINE_READY}, ENGINE_READY, {}},
        {ENGINE_UPDATE_CANCELLED, CANCEL, {}, ENGINE_UPDATE_CANCELLED, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("from state " + std::to_string(row.from) + ", " + OP_NAMES[row.op]);
        EngineHarness h;
        reach(h, row.from);
        h.observer.takeStates();
        forgetAssertions();
        const unsigned counterBefore = h.engine->getChangeCounter();

        // A blocked worker is let go shortly after the operation began.
        std::thread releaser;
        if (row.from == ENGINE_SCANNING || row.from == ENGINE_FIXING || row.from == ENGINE_UPDATING)
            releaser = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                h.log->release();
                h.updater.cancel();
            });
        switch (row.op) {
            case SCAN: h.engine->scan(); break;
            case FIX: h.engine->fix(); break;
            case UPDATE: h.engine->update(); break;
            case FINISH: h.engine->finish(); break;
            case CANCEL: h.engine->cancel(); break;
        }
        if (releaser.joinable()) releaser.join();
        h.waitForWorker();

        EXPECT_EQ(h.observer.takeStates(), row.notified);
        EXPECT_EQ(h.engine->getState(), row.to);
        EXPECT_EQ(h.engine->getChangeCounter() - counterBefore, row.notified.size());
        EXPECT_EQ(assertionMessages(), row.reports);
    }
}

TEST_F(EngineStateMachine, EveryStateChangeEmptiesTheStatusText) {
    EngineHarness h;
    h.ticks.now = 5000;
    h.engine->scan();
    h.waitForWorker();
    // The plugins' texts came while scanning; the finish emptied the text again.
    EXPECT_EQ(h.observer.takeTexts(), (std::vector<std::string>{"", "first scanning", ""}));
    EXPECT_EQ(h.engine->getStatusText(), "");
}

}  // namespace
