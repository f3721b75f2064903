#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "platform/file/FileExceptions.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/engine/AssertionLog.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"

using namespace engine_testing;
using Calls = std::vector<std::string>;

namespace {

class EngineScan : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
};

TEST_F(EngineScan, PluginsAreCalledInOrderAndThoseWithoutDefinitionsAreSkipped) {
    EngineHarness h({"first", "empty", "third"});
    h.plugin(1).definitions = false;
    h.plugin(0).registryRecords = 2;
    h.plugin(2).registryRecords = 1;
    h.plugin(2).hostsRecords = 1;
    h.plugin(2).fileRecords = 1;
    h.plugin(0).problems = {"one problem"};
    h.engine->scan();
    h.waitForWorker();
    EXPECT_EQ(h.log->snapshot(), (Calls{"first uncancelled", "empty uncancelled", "third uncancelled",
                                        "first uncancelled", "first scan", "first scan ended",
                                        "third uncancelled", "third scan", "third scan ended"}));
    ScanResults& results = h.engine->getScanResults();
    ASSERT_EQ(results.registryChanges.size(), 3u);
    EXPECT_EQ(results.registryChanges[0].subkey, "first\\0");
    EXPECT_EQ(results.registryChanges[2].subkey, "third\\0");
    EXPECT_EQ(h.engine->getScanProblems(), Calls{"one problem"});
    EXPECT_TRUE(assertionMessages().empty());
}

TEST_F(EngineScan, EveryFoundRecordCanBeTickedByItsIdAndUnknownIdsAreReported) {
    EngineHarness h({"first"});
    h.plugin(0).registryRecords = 1;
    h.plugin(0).hostsRecords = 1;
    h.plugin(0).fileRecords = 1;
    h.engine->scan();
    h.waitForWorker();
    ScanResults& results = h.engine->getScanResults();
    bool* flags[] = {&results.registryChanges[0].state.selected, &results.hostsChanges[0].state.selected,
                     &results.fileChanges[0].state.selected};
    const std::string ids[] = {results.registryChanges[0].state.id, results.hostsChanges[0].state.id,
                               results.fileChanges[0].state.id};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(ids[i]);
        h.engine->setSelected({ids[i], true});
        EXPECT_TRUE(*flags[i]);
        h.engine->setSelected({ids[i], false});
        EXPECT_FALSE(*flags[i]);
    }
    h.engine->setSelected({"no such id", true});
    EXPECT_EQ(assertionMessages(), Calls{"i != _idToCom.end()"});

    // After finish the old ids are unknown.
    forgetAssertions();
    h.engine->finish();
    h.engine->setSelected({ids[0], true});
    EXPECT_EQ(assertionMessages(), Calls{"i != _idToCom.end()"});
}

TEST_F(EngineScan, IdsOfAScanStartedAgainWithoutFinishAreForgotten) {
    // The records of the first scan are gone after the second; their ids must not
    // lead into freed records.
    EngineHarness h({"first"});
    h.plugin(0).registryRecords = 3;
    h.engine->scan();
    h.waitForWorker();
    const std::string oldId = h.engine->getScanResults().registryChanges[2].state.id;
    h.plugin(0).registryRecords = 1;
    h.engine->scan();  // in SCAN_FINISHED: reported, and done anyway
    h.waitForWorker();
    forgetAssertions();
    h.engine->setSelected({oldId, true});
    EXPECT_EQ(assertionMessages(), Calls{"i != _idToCom.end()"});
    EXPECT_FALSE(h.engine->getScanResults().registryChanges[0].state.selected);
}

TEST_F(EngineScan, SelectAllTicksOneTableOnly) {
    EngineHarness h({"first"});
    h.plugin(0).registryRecords = 2;
    h.plugin(0).hostsRecords = 2;
    h.plugin(0).fileRecords = 2;
    h.engine->scan();
    h.waitForWorker();
    ScanResults& results = h.engine->getScanResults();
    auto ticked = [&] {
        std::string marks;
        for (auto& r : results.registryChanges) marks += r.state.selected ? 'R' : '-';
        for (auto& r : results.hostsChanges) marks += r.state.selected ? 'H' : '-';
        for (auto& r : results.fileChanges) marks += r.state.selected ? 'F' : '-';
        return marks;
    };
    h.engine->selectAllHosts(true);
    EXPECT_EQ(ticked(), "--HH--");
    h.engine->selectAllRegistry(true);
    EXPECT_EQ(ticked(), "RRHH--");
    h.engine->selectAllFiles(true);
    h.engine->selectAllHosts(false);
    EXPECT_EQ(ticked(), "RR--FF");
}

TEST_F(EngineScan, FinishClearsAllButTheFilesAndTheFixProblems) {
    EngineHarness h({"first"});
    h.plugin(0).registryRecords = 1;
    h.plugin(0).hostsRecords = 1;
    h.plugin(0).fileRecords = 1;
    h.plugin(0).problems = {"p"};
    h.engine->scan();
    h.waitForWorker();
    h.engine->getFixProblems().push_back("from the last fix");
    h.engine->finish();
    ScanResults& results = h.engine->getScanResults();
    EXPECT_TRUE(results.registryChanges.empty());
    EXPECT_TRUE(results.hostsChanges.empty());
    EXPECT_TRUE(results.scanProblems.empty());
    EXPECT_EQ(results.fileChanges.size(), 1u);
    EXPECT_EQ(results.fixProblems, Calls{"from the last fix"});
    EXPECT_EQ(h.engine->getState(), ENGINE_READY);
}

TEST_F(EngineScan, FailureTextsOfAScan) {
    struct Case {
        const char* name;
        std::function<void()> failure;
        std::string message;
    } cases[] = {
        {"registry", [] { throw windows::registry::RegistryKeyNotFoundException("no key"); },
         "RegistryException: no key"},
        {"engine", [] { throw TamblixEngineException("An error occured while scanning."); },
         "Exception: An error occured while scanning."},
        {"io", [] { throw io::filesystem::LoadFileException("no file"); }, "Exception: no file"},
        {"standard", [] { throw std::runtime_error("what"); },
         "An unexpected exception (...) occured in TamblixEngineImpl::_scan()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness h({"first", "second"});
        h.plugin(0).registryRecords = 2;
        h.plugin(0).scanFailure = c.failure;
        h.engine->scan();
        h.waitForWorker();
        EXPECT_EQ(h.engine->getState(), ENGINE_SCAN_FAILED);
        EXPECT_EQ(h.engine->getErrorMessage(), c.message);
        // What was found before the failure stays; the next plugin never ran.
        EXPECT_EQ(h.engine->getScanResults().registryChanges.size(), 2u);
        EXPECT_FALSE(h.log->contains("second scan"));
        EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_SCANNING, ENGINE_SCAN_FAILED}));
    }
}

TEST_F(EngineScan, CancelStopsTheRunningPluginKeepsItsFindingsAndStartsNoOther) {
    EngineHarness h({"first", "second"});
    h.plugin(0).registryRecords = 1;
    h.plugin(0).honoursCancel = true;
    h.plugin(1).registryRecords = 5;
    h.engine->scan();
    h.log->waitFor("first working");
    h.engine->cancel();

    EXPECT_EQ(h.engine->getState(), ENGINE_SCAN_CANCELLED);
    EXPECT_EQ(h.observer.takeStates(),
              (std::vector<int>{ENGINE_SCANNING, ENGINE_SCAN_FINISHED, ENGINE_SCAN_CANCELLED}));
    EXPECT_TRUE(h.log->contains("first stopped"));
    EXPECT_FALSE(h.log->contains("second scan"));
    ScanResults& results = h.engine->getScanResults();
    ASSERT_GE(results.registryChanges.size(), 1u);
    EXPECT_EQ(results.registryChanges[0].subkey, "first\\0");
    // The records found before the cancel can still be ticked.
    h.engine->setSelected({results.registryChanges[0].state.id, true});
    EXPECT_TRUE(results.registryChanges[0].state.selected);
    EXPECT_TRUE(assertionMessages().empty());

    // The next scan clears the flags and runs every plugin again.
    h.plugin(0).honoursCancel = false;
    h.engine->finish();
    h.engine->scan();
    h.waitForWorker();
    EXPECT_EQ(h.engine->getState(), ENGINE_SCAN_FINISHED);
    EXPECT_FALSE(h.plugin(0).cancelled);
    EXPECT_EQ(results.registryChanges.size(), 6u);
}

TEST_F(EngineScan, ACancelBeforeTheWorkerIsBusyEndsTheScan) {
    EngineHarness h({"first", "second"});
    h.plugin(0).registryRecords = 1;
    h.plugin(1).registryRecords = 1;
    // The worker's first call, still before ENGINE_SCANNING, waits until the
    // window's cancel has reached the plugins.
    std::promise<void> cancelAsked;
    std::shared_future<void> asked = cancelAsked.get_future().share();
    std::atomic<bool> held{false};
    h.plugin(0).onSetCancelled = [&](bool value) {
        if (value)
            cancelAsked.set_value();
        else if (!held.exchange(true))
            asked.wait();
    };
    h.engine->scan();
    h.log->waitFor("first uncancelled");
    EXPECT_EQ(h.engine->getState(), ENGINE_READY);
    h.engine->cancel();
    h.waitForWorker();

    EXPECT_EQ(h.engine->getState(), ENGINE_SCAN_CANCELLED);
    EXPECT_FALSE(h.log->contains("first scan"));
    EXPECT_FALSE(h.log->contains("second scan"));
    EXPECT_TRUE(assertionMessages().empty());
}

TEST_F(EngineScan, ACancelWhileAScanFailsKeepsTheFailure) {
    EngineHarness h({"first", "second"});
    // The scan fails only once the cancel has reached the plugins.
    std::promise<void> cancelAsked;
    std::shared_future<void> asked = cancelAsked.get_future().share();
    h.plugin(0).onSetCancelled = [&](bool value) {
        if (value) cancelAsked.set_value();
    };
    h.plugin(0).scanFailure = [&] {
        asked.wait();
        throw TamblixEngineException("An error occured while scanning.");
    };
    h.engine->scan();
    h.log->waitFor("first scan");
    h.engine->cancel();
    h.waitForWorker();

    EXPECT_EQ(h.engine->getState(), ENGINE_SCAN_FAILED);
    EXPECT_EQ(h.engine->getErrorMessage(), "Exception: An error occured while scanning.");
    EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_SCANNING, ENGINE_SCAN_FAILED}));
}

TEST_F(EngineScan, CancelOutsideAScanOnlyFlagsThePlugins) {
    EngineHarness h({"first", "second"});
    h.engine->cancel();
    EXPECT_EQ(h.log->snapshot(), (Calls{"first cancelled", "second cancelled"}));
    EXPECT_EQ(h.engine->getState(), ENGINE_READY);
    EXPECT_TRUE(h.observer.takeStates().empty());
}

TEST_F(EngineScan, ProgressIsThrottledToOneTextPerSecondAcrossTheWrapOfTheTickCount) {
    struct Step {
        std::uint32_t tick;
        const char* text;
        bool shown;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"one per second",
         {{5000, "a", true}, {5500, "b", false}, {5999, "c", false}, {6000, "d", true}, {6999, "e", false}}},
        {"the first second of the tick count", {{999, "a", false}, {1000, "b", true}}},
        {"across the wrap",
         {{0xFFFFFE00u, "a", true}, {0xFFFFFF00u, "b", false}, {0x000001E7u, "c", false}, {0x000001E8u, "d", true}}},
        {"just before the wrap", {{0xFFFFFC17u, "a", true}, {0xFFFFFFFFu, "b", true}, {0x00000100u, "c", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness h(std::vector<std::string>{});
        std::string expectedText;
        unsigned expectedCounter = 0;
        std::vector<std::string> expectedShown;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.text);
            h.ticks.now = step.tick;
            h.engine->progress(step.text);
            if (step.shown) {
                expectedText = step.text;
                ++expectedCounter;
                expectedShown.push_back(step.text);
            }
            EXPECT_EQ(h.engine->getStatusText(), expectedText);
            EXPECT_EQ(h.engine->getChangeCounter(), expectedCounter);
        }
        EXPECT_EQ(h.observer.takeTexts(), expectedShown);
    }
}

TEST_F(EngineScan, DestroyingTheEngineWaitsForItsWorker) {
    auto log = std::make_shared<PluginLog>();
    {
        EngineHarness h({"first"});
        log = h.log;
        h.plugin(0).block = FakePlugin::IN_SCAN;
        h.engine->scan();
        h.log->waitFor("first blocked");
        std::thread releaser([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            h.log->add("released");
            h.log->release();
        });
        h.engine.reset();  // the observer outlives the engine, so it may be told to the end
        releaser.join();
    }
    const Calls calls = log->snapshot();
    const auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call); };
    ASSERT_NE(at("first destroyed"), calls.end());
    EXPECT_LT(at("released"), at("first scan ended"));
    EXPECT_LT(at("first scan ended"), at("first destroyed"));
    EXPECT_TRUE(assertionMessages().empty());
}

TEST_F(EngineScan, RemovingAnObserverWaitsForTheWorkerThatMayNotifyIt) {
    EngineHarness h({"first"});
    h.plugin(0).block = FakePlugin::IN_SCAN;
    h.engine->scan();
    h.log->waitFor("first blocked");
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        h.log->release();
    });
    h.engine->removeObserver(&h.observer);
    releaser.join();
    // Everything the worker notified reached the observer before it was removed.
    EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_SCANNING, ENGINE_SCAN_FINISHED}));
    EXPECT_TRUE(h.log->contains("first scan ended"));
}

}  // namespace
