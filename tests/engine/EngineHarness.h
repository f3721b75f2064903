#pragma once
// An engine over fake plugins and the test services, with an observer that
// records the state at every notification.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/TamblixEngineImpl.h"
#include "tests/engine/FakePlugin.h"
#include "tests/engine/TestServices.h"

namespace engine_testing {

// Records the engine's state and status text at each notification.
struct RecordingObserver : Observer {
    TamblixEngineImpl* engine = nullptr;
    std::mutex lock;
    std::vector<int> states;
    std::vector<std::string> texts;

    void onNotify(Observable*) override {
        std::lock_guard<std::mutex> hold(lock);
        states.push_back(engine->getState());
        texts.push_back(engine->getStatusText());
    }
    std::vector<int> takeStates() {
        std::lock_guard<std::mutex> hold(lock);
        auto taken = states;
        states.clear();
        texts.clear();
        return taken;
    }
    std::vector<std::string> takeTexts() {
        std::lock_guard<std::mutex> hold(lock);
        auto taken = texts;
        states.clear();
        texts.clear();
        return taken;
    }
};

struct EngineHarness : TestServices {
    std::shared_ptr<PluginLog> log = std::make_shared<PluginLog>();
    std::vector<FakePlugin*> plugins;  // owned by the engine
    std::unique_ptr<TamblixEngineImpl> engine;
    RecordingObserver observer;

    // Makes the engine with one fake plugin per name; configure them before
    // starting work through plugin(i).
    explicit EngineHarness(const std::vector<std::string>& names = {"first", "second"},
                           const std::function<void(EngineServices&)>& adjust = nullptr) {
        if (adjust) adjust(services);
        std::vector<std::unique_ptr<Plugin>> owned;
        for (const auto& name : names) {
            auto plugin = std::make_unique<FakePlugin>(name, log);
            plugins.push_back(plugin.get());
            owned.push_back(std::move(plugin));
        }
        engine = std::make_unique<TamblixEngineImpl>(services, std::move(owned));
        observer.engine = engine.get();
        engine->addObserver(&observer);
    }
    ~EngineHarness() {
        if (engine) engine->removeObserver(&observer);
    }

    FakePlugin& plugin(std::size_t i) { return *plugins.at(i); }

    // Waits until the current worker has ended (removeObserver joins it).
    void waitForWorker() {
        RecordingObserver none;
        engine->removeObserver(&none);
    }
};

}  // namespace engine_testing
