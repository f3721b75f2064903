#pragma once
// An engine over fake plugins, a fake tick clock and a fake updater, with an
// observer that records the state at every notification.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/TamblixEngineImpl.h"
#include "tests/engine/FakePlugin.h"

namespace engine_testing {

struct FakeTickClock : TickClock {
    std::atomic<std::uint32_t> now{0};
    std::uint32_t getTickCount() override { return now; }
};

// Counts its observers; update answers a set result, or waits for cancel.
struct FakeUpdater : TamblixUpdate {
    int observers = 0;
    int result = NOT_UPDATED;
    bool waitForCancel = false;
    std::mutex lock;
    std::condition_variable changed;
    bool cancelled = false;
    std::function<void()> failure;

    void addObserver(Observer* observer) override {
        ++observers;
        TamblixUpdate::addObserver(observer);
    }
    void removeObserver(Observer* observer) override {
        --observers;
        TamblixUpdate::removeObserver(observer);
    }
    int update(const std::string&, int, platform::file::FileWriter&, compression::UncompressionStream&,
               windows::internet::InternetSessionFactory&, const std::vector<char>&) override {
        if (failure) failure();
        if (waitForCancel) {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [&] { return cancelled; });
            return CANCELLED;
        }
        return result;
    }
    void cancel() override {
        std::lock_guard<std::mutex> hold(lock);
        cancelled = true;
        changed.notify_all();
    }
    int getProgress() override { return 42; }
};

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

struct EngineHarness {
    std::shared_ptr<PluginLog> log = std::make_shared<PluginLog>();
    FakeTickClock ticks;
    FakeUpdater updater;
    EngineServices services;
    std::vector<FakePlugin*> plugins;  // owned by the engine
    std::unique_ptr<TamblixEngineImpl> engine;
    RecordingObserver observer;

    // Makes the engine with one fake plugin per name; configure them before
    // starting work through plugin(i).
    explicit EngineHarness(const std::vector<std::string>& names = {"first", "second"}) {
        services.updater = &updater;
        services.ticks = &ticks;
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
