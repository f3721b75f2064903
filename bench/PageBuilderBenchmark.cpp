// page_builder_benchmark [benchmark options]: how long the window waits for the
// page of a finished scan with 10,000 registry records (in groups of one to
// four), 1,000 HOSTS records and 1,000 file records, the details of both
// switchable tables hidden (argument 0) or shown (argument 1). Also prints the
// size of the page.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "app/pages/HtmlPageBuilderImpl.h"
#include "engine/EngineStates.h"
#include "engine/FrameworkInfo.h"
#include "platform/registry/RegistryConstants.h"

namespace {

using namespace com::quorvex::products::tamblix;

constexpr int REGISTRY_RECORDS = 10000;
constexpr int HOSTS_RECORDS = 1000;
constexpr int FILE_RECORDS = 1000;

ScanResults makeResults() {
    ScanResults results;
    int group = 0;
    for (int i = 0; i < REGISTRY_RECORDS; ++group) {
        const int size = 1 + group % 4;
        for (int k = 0; k < size && i < REGISTRY_RECORDS; ++k, ++i) {
            RegistryModification record;
            record.root = i % 2 == 0 ? windows::registry::ROOT_LOCAL_MACHINE : windows::registry::ROOT_CURRENT_USER;
            record.subkey = "SOFTWARE\\Classes\\CLSID\\{6BF52A52-394A-11D3-B153-00C04F" + std::to_string(10000 + i) + "}";
            record.action = k == 0 ? RegistryModification::REMOVE_VALUE : RegistryModification::SET_VALUE;
            record.valueName = k == 0 ? "InprocServer32" : "";
            record.data.type = k % 2;
            record.data.text = "c:\\Program Files\\Old Tool & Co\\tool" + std::to_string(i) + ".dll";
            record.data.number = 4294967295u;
            record.description = "The value points to <b>c:\\Program Files\\Old Tool\\tool.dll</b>, which is missing.";
            record.group = std::to_string(group);
            record.state.selected = i % 3 != 0;
            record.state.id = std::to_string(i + 1);
            results.registryChanges.push_back(record);
        }
    }
    for (int i = 0; i < HOSTS_RECORDS; ++i) {
        HostsModification record;
        record.action = i % 2;
        record.entry.host = "ads" + std::to_string(i) + ".example.com";
        record.entry.address = "127.0.0.1";
        record.description = "Redirects an <i>advertising</i> server.";
        record.state.id = std::to_string(REGISTRY_RECORDS + i + 1);
        results.hostsChanges.push_back(record);
    }
    for (int i = 0; i < FILE_RECORDS; ++i) {
        FileModification record;
        record.path = "c:\\Documents and Settings\\user\\Downloads\\archive" + std::to_string(i) + ".zip";
        if (i % 2 == 0) record.innerName = "setup" + std::to_string(i) + ".exe";
        record.description = "Known <b>adware</b> installer.";
        record.variant = i % 5 == 0;
        record.state.id = std::to_string(REGISTRY_RECORDS + HOSTS_RECORDS + i + 1);
        results.fileChanges.push_back(record);
    }
    results.scanProblems = {"Could not open the key HKEY_LOCAL_MACHINE\\SOFTWARE\\Locked."};
    return results;
}

const std::string& buildScanFinished(HtmlPageBuilderImpl& builder, const ScanResults& results, bool details) {
    const std::string text;
    const std::string name = "Demo Cleaner";
    const std::string address = "http://demo.example/";
    const std::string banner = "file:///c:\\Program Files\\Demo\\\\system\\banner.gif";
    const std::string icon = "file:///c:\\Program Files\\Demo\\\\system\\newwindow.gif";
    const std::string finished = "Found the following. Links with TAMBLIX_INSERT_NEW_WINDOW_ICON open a window.";
    return builder.buildPage(HOME_TAB, ENGINE_SCAN_FINISHED, text, name, &results, address, banner, icon, 0, text,
                             "1.0", frameworkVersion(), name, name, 7, "2007-03-05", text, finished, text, address,
                             address, address, details, details, &results.fixProblems, &results.scanProblems);
}

void BM_ScanFinishedPage(benchmark::State& state) {
    const ScanResults results = makeResults();
    const bool details = state.range(0) != 0;
    HtmlPageBuilderImpl builder;
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string& page = buildScanFinished(builder, results, details);
        size = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ScanFinishedPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
