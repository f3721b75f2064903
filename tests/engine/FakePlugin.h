#pragma once
// A scan plugin for engine tests: appends a configured set of records, can block
// inside scan or fix until released, honours the cancel flag when asked to, can
// fail, and writes every call it receives into a log shared with the test (the
// engine owns and destroys the plugin itself).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/plugins/Plugin.h"

namespace engine_testing {

using namespace com::quorvex::products::tamblix;

// What the test and its plugins share; outlives the engine.
struct PluginLog {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::string> calls;
    bool released = false;

    void add(const std::string& call) {
        std::lock_guard<std::mutex> hold(lock);
        calls.push_back(call);
        changed.notify_all();
    }
    std::vector<std::string> snapshot() {
        std::lock_guard<std::mutex> hold(lock);
        return calls;
    }
    bool contains(const std::string& call) {
        auto all = snapshot();
        for (const auto& c : all)
            if (c == call) return true;
        return false;
    }
    // Waits until a plugin logged the call.
    void waitFor(const std::string& call) {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] {
            for (const auto& c : calls)
                if (c == call) return true;
            return false;
        });
    }
    void release() {
        std::lock_guard<std::mutex> hold(lock);
        released = true;
        changed.notify_all();
    }
    void waitForRelease() {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return released; });
    }
};

struct FakePlugin : Plugin {
    enum Block { NONE, IN_SCAN, IN_FIX };

    std::string name;
    std::shared_ptr<PluginLog> log;
    bool definitions = true;
    int registryRecords = 0;
    int hostsRecords = 0;
    int fileRecords = 0;
    std::vector<std::string> problems;
    Block block = NONE;
    // Appends one registry record per unit of work until cancelled.
    bool honoursCancel = false;
    // Appends records of the test's own making.
    std::function<void(ScanResults&)> findings;
    std::function<void()> scanFailure;
    std::function<void(ScanResults&)> fixWork;
    // Called at the end of each setCancelled, on the thread that called it.
    std::function<void(bool)> onSetCancelled;
    std::string fixSection;
    std::atomic<bool> cancelled{false};

    FakePlugin(std::string n, std::shared_ptr<PluginLog> l) : name(std::move(n)), log(std::move(l)) {}
    ~FakePlugin() override { log->add(name + " destroyed"); }

    void expandScanMessage(std::string& text) override { text += "[" + name + "]"; }

    void scan(ScanResults& results, ScanProgressListener* progress) override {
        log->add(name + " scan");
        if (progress) progress->progress(name + " scanning");
        for (int i = 0; i < registryRecords; ++i) {
            RegistryModification record;
            record.subkey = name + "\\" + std::to_string(i);
            record.group = name + std::to_string(i);
            results.registryChanges.push_back(record);
        }
        for (int i = 0; i < hostsRecords; ++i) results.hostsChanges.emplace_back();
        for (int i = 0; i < fileRecords; ++i) {
            FileModification record;
            record.path = "c:\\" + name + std::to_string(i);
            results.fileChanges.push_back(record);
        }
        for (const auto& problem : problems) results.scanProblems.push_back(problem);
        if (findings) findings(results);
        if (scanFailure) scanFailure();
        if (honoursCancel) {
            log->add(name + " working");
            while (!cancelled) {
                if (results.registryChanges.size() < 1000) results.registryChanges.emplace_back();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            log->add(name + " stopped");
        }
        if (block == IN_SCAN) {
            log->add(name + " blocked");
            log->waitForRelease();
        }
        log->add(name + " scan ended");
    }

    // Called with each document loaded; may throw to reject it.
    std::function<void(const std::string&)> loadFailure;

    bool hasDefinitions() const override { return definitions; }
    void loadDefinitions(const std::string& xmlText) override {
        log->add(name + " load " + xmlText);
        if (loadFailure) loadFailure(xmlText);
    }
    void setCancelled(bool value) override {
        cancelled = value;
        log->add(name + (value ? " cancelled" : " uncancelled"));
        if (onSetCancelled) onSetCancelled(value);
    }
    void clearDefinitions() override { log->add(name + " clear"); }

    void fix(ScanResults& results, std::string& logSection) override {
        log->add(name + " fix");
        if (block == IN_FIX) {
            log->add(name + " blocked");
            log->waitForRelease();
        }
        if (fixWork) fixWork(results);
        logSection += fixSection;
    }
    void fixFinished(ScanResults&) override { log->add(name + " fixFinished"); }
};

}  // namespace engine_testing
