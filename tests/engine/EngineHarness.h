#pragma once
// An engine over fake plugins and a complete set of services over test peers,
// with an observer that records the state at every notification. Every test and
// benchmark that builds an engine takes its services from TestServices and lends
// the engine other objects only for what it exercises.

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/TamblixEngineImpl.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/FileFinder.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "platform/util/Clocks.h"
#include "platform/zip/ZipReader.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "tests/engine/FakePlugin.h"
#include "update/TamblixUpdate.h"
#include "update/compression/ZlibUncompressionStream.h"

namespace engine_testing {

using platform::file::memory::MemoryFileSystem;

struct FakeTickClock : TickClock {
    std::atomic<std::uint32_t> now{0};
    std::uint32_t getTickCount() override { return now; }
};

// Always 14:07:09 on Monday 5 March 2007.
struct FakeLocalClock : LocalClock {
    std::tm now() override {
        std::tm time{};
        time.tm_year = 2007 - 1900;
        time.tm_mon = 2;
        time.tm_mday = 5;
        time.tm_wday = 1;
        time.tm_hour = 14;
        time.tm_min = 7;
        time.tm_sec = 9;
        return time;
    }
};

// Counts its observers; update answers a set result or failure, or waits for
// cancel, and remembers what it was asked with.
struct FakeUpdater : TamblixUpdate {
    int observers = 0;
    int result = NOT_UPDATED;
    bool waitForCancel = false;
    // Like the real updater, a cancel reaches only a run in progress: update
    // forgets earlier cancels, tells its observers it has begun, then waits a
    // while for a cancel and answers NOT_UPDATED if none came.
    bool forgetsEarlyCancel = false;
    std::function<void()> failure;
    std::string askedUrl;
    int askedCounter = -1;
    platform::file::FileWriter* askedWriter = nullptr;

    std::mutex lock;
    std::condition_variable changed;
    bool asked = false;
    bool cancelled = false;

    void addObserver(Observer* observer) override {
        ++observers;
        TamblixUpdate::addObserver(observer);
    }
    void removeObserver(Observer* observer) override {
        --observers;
        TamblixUpdate::removeObserver(observer);
    }
    int update(const std::string& url, int currentCounter, platform::file::FileWriter& writer,
               compression::UncompressionStream&, const std::vector<char>&) override {
        if (forgetsEarlyCancel) return _runThatForgetsEarlyCancels();
        std::unique_lock<std::mutex> hold(lock);
        askedUrl = url;
        askedCounter = currentCounter;
        askedWriter = &writer;
        asked = true;
        changed.notify_all();
        if (failure) failure();
        if (waitForCancel) {
            changed.wait(hold, [&] { return cancelled; });
            return CANCELLED;
        }
        return result;
    }
    void waitUntilAsked() {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return asked; });
    }
    void cancel() override {
        std::lock_guard<std::mutex> hold(lock);
        cancelled = true;
        changed.notify_all();
    }
    int getProgress() override { return 42; }

private:
    int _runThatForgetsEarlyCancels() {
        {
            std::lock_guard<std::mutex> hold(lock);
            cancelled = false;
        }
        notifyObservers();
        std::unique_lock<std::mutex> hold(lock);
        return changed.wait_for(hold, std::chrono::seconds(10), [&] { return cancelled; }) ? CANCELLED : NOT_UPDATED;
    }
};

// A machine without drives: none is listed, and a walk finds nothing.
struct NoDrives : platform::file::FileFinder, platform::file::DriveEnumerator {
    void find(const std::string&, bool, platform::file::FileFinderVisitor&) override {}
    std::vector<std::string> enumerateDrives(int) override { return {}; }
};

// A machine whose files are no archives.
struct NoArchives : ZipReader {
    std::vector<ZipEntry> getFileInfo(const std::string& path) override { fail(path); }
    std::vector<char> loadFromZip(const std::string& path, const std::string&) override { fail(path); }
    void readMembers(const std::string& path, ZipMemberVisitor&) override { fail(path); }
    [[noreturn]] static void fail(const std::string& path) {
        throw ZipReaderException("Cannot open '" + path + "' using 'unzOpen'.");
    }
};

struct TestServices {
    windows::registry::memory::MemoryRegistryService registry;
    FakeUpdater updater;
    // Reading, writing and removing files, making folders, the documents folder,
    // file and directory tests and drive types.
    platform::file::memory::MemoryFileSystem files;
    NoDrives drives;
    compression::ZlibUncompressionStream uncompressor;
    FakeTickClock ticks;
    FakeLocalClock localTime;
    NoArchives zip;
    // What the engine is given: the peers above until the test lends others.
    EngineServices services{registry, updater, files, files, files,        files, files,     files,
                            drives,   drives,  files, files, uncompressor, ticks, localTime, zip};
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
