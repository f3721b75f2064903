#pragma once
// A complete set of engine services over test peers, for every test and
// benchmark that builds an engine: the registry and the file services in memory,
// an updater the test steers, clocks the test sets and the real uncompressor. A
// test lends the engine other objects for what it exercises, and states nothing
// else.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/EngineServices.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/FileFinder.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "tests/engine/FakeClocks.h"
#include "tests/engine/FakeFiles.h"
#include "tests/engine/plugins/FakeFileSystem.h"
#include "update/TamblixUpdate.h"
#include "update/compression/ZlibUncompressionStream.h"

namespace engine_testing {

using namespace com::quorvex::products::tamblix;

// Counts its observers; update answers a set result or failure, or waits for
// cancel, and remembers what it was asked with.
struct FakeUpdater : TamblixUpdate {
    int observers = 0;
    int result = NOT_UPDATED;
    bool waitForCancel = false;
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
};

// A machine without drives: none is listed, and a walk finds nothing.
struct NoDrives : platform::file::FileFinder, platform::file::DriveEnumerator {
    void find(const std::string&, bool, platform::file::FileFinderVisitor&) override {}
    std::vector<std::string> enumerateDrives(int) override { return {}; }
};

struct TestServices {
    windows::registry::memory::MemoryRegistryService registry;
    FakeUpdater updater;
    // Reading, writing and removing files, making folders, the documents folder.
    FakeFiles files;
    // File and directory tests and drive types.
    scanner_testing::FakeFileSystem fileSystem;
    NoDrives drives;
    compression::ZlibUncompressionStream uncompressor;
    FakeTickClock ticks;
    FakeLocalClock localTime;

    // What the engine is given: the peers above until the test lends others.
    EngineServices services{registry,   updater, files,  files, fileSystem, files,        fileSystem, fileSystem,
                            drives,     drives,  files,  files, uncompressor, ticks,      localTime};
};

}  // namespace engine_testing
