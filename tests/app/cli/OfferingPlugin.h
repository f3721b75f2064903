#pragma once
// A plugin peer for tests of the command line: offers configured suggestions,
// reports progress, can fail, can wait inside scan until it is cancelled, and
// carries out its own HOSTS records in fix as the HOSTS plugin does.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/plugins/Plugin.h"
#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"

namespace cli_testing {

using namespace com::quorvex::products::tamblix;

struct OfferingPlugin : Plugin {
    std::vector<RegistryModification> registry;
    std::vector<HostsModification> hosts;
    std::vector<FileModification> files;
    std::vector<std::string> scanProblems;
    std::string progressText;
    std::string scanFailure;
    std::string fixProblem;
    bool waitForCancel = false;
    // Lets one of the plugin's own checks fail during the scan.
    bool failCheck = false;
    // Called after the progress text was reported.
    std::function<void()> afterProgress;

    std::mutex lock;
    std::condition_variable changed;
    bool scanning = false;
    std::atomic<bool> cancelled{false};

    void expandScanMessage(std::string&) override {}
    bool hasDefinitions() const override { return true; }
    void loadDefinitions(const std::string&) override {}
    void clearDefinitions() override {}
    void fixFinished(ScanResults&) override {}

    void setCancelled(bool value) override {
        std::lock_guard<std::mutex> hold(lock);
        cancelled = value;
        changed.notify_all();
    }

    void scan(ScanResults& results, ScanProgressListener* progress) override {
        if (!progressText.empty()) progress->progress(progressText);
        TAMBLIX_ASSERT(!failCheck);
        if (afterProgress) afterProgress();
        if (!scanFailure.empty()) throw TamblixEngineException(scanFailure);
        results.registryChanges.insert(results.registryChanges.end(), registry.begin(), registry.end());
        results.hostsChanges.insert(results.hostsChanges.end(), hosts.begin(), hosts.end());
        results.scanProblems.insert(results.scanProblems.end(), scanProblems.begin(), scanProblems.end());
        std::unique_lock<std::mutex> hold(lock);
        scanning = true;
        changed.notify_all();
        if (waitForCancel) changed.wait(hold, [&] { return cancelled.load(); });
        // Found before the cancel came: the records stay.
        results.fileChanges.insert(results.fileChanges.end(), files.begin(), files.end());
    }

    void waitUntilScanning() {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return scanning; });
    }

    void fix(ScanResults& results, std::string& logSection) override {
        for (auto& record : results.hostsChanges) {
            if (!record.state.selected || record.state.applied) continue;
            record.state.applied = true;
            logSection += "Changed " + record.entry.host + "\n";
        }
        if (!fixProblem.empty()) results.fixProblems.push_back(fixProblem);
    }
};

inline HostsModification hostsRecord(const std::string& host, bool selected) {
    HostsModification record;
    record.action = HostsModification::ACTION_ADD;
    record.entry.kind = HostsEntry::MAPPING;
    record.entry.host = host;
    record.entry.address = "127.0.0.1";
    record.description = "Blocks " + host;
    record.state = ModificationState(selected);
    return record;
}

inline RegistryModification registryRecord(const std::string& subkey, const std::string& group, bool selected) {
    RegistryModification record;
    record.root = 0x80000001u;
    record.subkey = subkey;
    record.action = RegistryModification::SET_VALUE;
    record.valueName = "*";
    record.data.type = ModificationValue::TYPE_DWORD;
    record.data.number = 4;
    record.description = "Restricts " + subkey;
    record.group = group;
    record.state = ModificationState(selected);
    return record;
}

inline FileModification fileRecord(const std::string& path, bool selected) {
    FileModification record;
    record.path = path;
    record.description = "Unwanted";
    record.state = ModificationState(selected);
    return record;
}

}  // namespace cli_testing
