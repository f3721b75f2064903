// registry_scan_benchmark [<prefix>] [--findings] [benchmark options]: the
// registry error scanner over the whole of HKLM\Software, HKCR and HKCU\Software
// of a Wine prefix: its time, the keys and values it visits and how often it asks
// the file system per value (the cache of missing prefixes saves the rest).
// A third run adds values that point into one missing folder, on a copy of the
// prefix's registry, to show the cache at work. --findings lists every finding
// of the prefix instead, one per line. The prefix is the
// argument, else $WINEPREFIX, else a fresh one made with wineboot in a temporary
// folder. The scan only reads the prefix.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchFolders.h"
#include "engine/plugins/ProductLogFolder.h"
#include "engine/plugins/ScanRegistryForErrorsImpl.h"
#include "platform/failure/Exception.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryKeyNames.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "platform/util/Clocks.h"

namespace {

using namespace com::quorvex::products::tamblix;
namespace fs = std::filesystem;

fs::path scannedPrefix;
fs::path madePrefix;     // the folder of a prefix made for the run, removed at its end
fs::path plantedPrefix;  // registry copy with the planted values, the drives of scannedPrefix
constexpr int PLANTED_VALUES = 2000;

const char* const DEFINITIONS = R"(<tamblix-definition>
<derivate-product-info><name>Benchmark</name></derivate-product-info>
<modifications><scan-registry-for-errors-plugin>
<ScanKeys>
  <ScanKey root="HKEY_LOCAL_MACHINE" subkey="Software"/>
  <ScanKey root="HKEY_CLASSES_ROOT" subkey=""/>
  <ScanKey root="HKEY_CURRENT_USER" subkey="Software"/>
</ScanKeys>
<Groups><Group name="Default" heading="Registry" descDataPointing="%KEY% %VALUE% %FILE%"
  descValuePointing="%KEY% %VALUE%" descDefaultValue="%KEY% %FILE%"/></Groups>
</scan-registry-for-errors-plugin></modifications></tamblix-definition>)";

struct NoProgress : ScanProgressListener {
    void progress(std::string) override {}
};

// Every service of the prefix and a scanner with the definitions loaded.
struct Scanner {
    explicit Scanner(const fs::path& prefix)
        : winePrefix(prefix),
          registry(winePrefix),
          answers(registry),
          files(winePrefix, &answers),
          logFolder(files.folders()),
          scanner(registry, files.fileWriter(), files.fileExistsQuery(), files.directoryExistsQuery(),
                  files.driveTypeQuery(), logFolder, localTime, ticks) {
        scanner.loadDefinitions(DEFINITIONS);
    }
    ScanResults scan() {
        ScanResults results;
        NoProgress progress;
        scanner.scan(results, &progress);
        return results;
    }

    platform::prefix::WinePrefix winePrefix;
    windows::registry::RegistryServiceImpl registry;
    windows::registry::prefix::PrefixRegistryAnswers answers;
    platform::prefix::PrefixFileServices files;
    SteadyTickClock ticks;
    SystemLocalClock localTime;
    ProductLogFolder logFolder;
    ScanRegistryForErrorsImpl scanner;
};

void report(benchmark::State& state, const ScanRegistryForErrorsImpl& scanner, const ScanResults& results) {
    const auto& statistics = scanner.getStatistics();
    const double values = static_cast<double>(statistics.values);
    state.counters["keys"] = static_cast<double>(statistics.keys);
    state.counters["values"] = values;
    state.counters["findings"] = static_cast<double>(results.registryChanges.size());
    state.counters["file tests"] = static_cast<double>(statistics.checks.fileTests);
    state.counters["file tests/value"] = values ? statistics.checks.fileTests / values : 0;
    state.counters["dir tests"] = static_cast<double>(statistics.checks.directoryTests);
    state.counters["drive tests"] = static_cast<double>(statistics.checks.driveTests);
    state.counters["saved by cache"] = static_cast<double>(statistics.checks.cacheHits);
}

// Services made anew each time: the registry files are parsed and no directory
// listing is known yet, as in a program that starts and scans.
void scanFromStart(benchmark::State& state) {
    ScanResults results;
    std::unique_ptr<Scanner> last;
    for (auto _ : state) {
        last = std::make_unique<Scanner>(scannedPrefix);
        results = last->scan();
    }
    report(state, last->scanner, results);
}

// A second scan with the same services: the registry is loaded and the file
// layer's listings are warm.
void scanAgain(benchmark::State& state) {
    Scanner scanner(scannedPrefix);
    ScanResults results = scanner.scan();
    for (auto _ : state) results = scanner.scan();
    report(state, scanner.scanner, results);
}

// Values of one uninstalled product, all in the same missing folder.
void plantMissingFolder() {
    plantedPrefix = bench::temporaryFolder("registry-scan");
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
        if (fs::exists(scannedPrefix / name)) fs::copy_file(scannedPrefix / name, plantedPrefix / name);
    fs::create_directory_symlink(fs::absolute(scannedPrefix / "dosdevices"), plantedPrefix / "dosdevices");
    windows::registry::RegistryServiceImpl registry{platform::prefix::WinePrefix(plantedPrefix)};
    const auto software = registry.openKey(windows::registry::ROOT_CURRENT_USER, "Software",
                                           windows::registry::ACCESS_CREATE_SUB_KEY);
    const auto vendor = registry.createWriter(software.get())->createSubkey("Uninstalled Vendor", 0);
    const auto key = registry.openKey(windows::registry::ROOT_CURRENT_USER, "Software\\Uninstalled Vendor",
                                      windows::registry::ACCESS_SET_VALUE);
    const auto writer = registry.createWriter(key.get());
    for (int i = 0; i < PLANTED_VALUES; ++i)
        writer->setString("File" + std::to_string(i),
                          "C:\\Program Files\\Uninstalled Vendor\\Product\\component" + std::to_string(i) + ".dll");
}

// The prefix's registry and 2000 values whose files are missing in one folder.
void scanWithMissingFolder(benchmark::State& state) {
    Scanner scanner(plantedPrefix);
    ScanResults results = scanner.scan();
    for (auto _ : state) results = scanner.scan();
    report(state, scanner.scanner, results);
}

BENCHMARK(scanFromStart)->Unit(benchmark::kMillisecond);
BENCHMARK(scanAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(scanWithMissingFolder)->Unit(benchmark::kMillisecond);

int listFindings() {
    Scanner scanner(scannedPrefix);
    const ScanResults results = scanner.scan();
    const windows::registry::RegistryKeyNames names(false);
    for (const RegistryErrorEntry& entry : scanner.scanner.getRegistryChanges())
        std::cout << names.keyToString(entry.root) << "\\" << entry.subkey << " | " << entry.valueName << " | "
                  << (entry.namePoints ? "(name)" : entry.data.isString() ? entry.data.getString() : "") << "\n";
    for (const std::string& problem : results.scanProblems) std::cout << "problem: " << problem << "\n";
    std::cout << scanner.scanner.getRegistryChanges().size() << " findings, " << results.scanProblems.size()
              << " problems" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> arguments{argv[0]};
    bool findings = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--findings")
            findings = true;
        else if (argument.rfind("--", 0) == 0 || !scannedPrefix.empty())
            arguments.push_back(argv[i]);
        else
            scannedPrefix = argument;
    }
    int status = 0;
    try {
        if (scannedPrefix.empty()) {
            const char* named = std::getenv("WINEPREFIX");
            scannedPrefix = named && *named ? fs::path(named) : bench::freshPrefix(madePrefix);
        }
        if (findings) {
            status = listFindings();
        } else {
            plantMissingFolder();
            std::cout << "Registry scan of " << scannedPrefix << "; aim: under 1000 ms" << std::endl;
            int count = static_cast<int>(arguments.size());
            benchmark::Initialize(&count, arguments.data());
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    } catch (const exceptions::Exception& failure) {
        std::cerr << failure.getMessage() << std::endl;
        status = 1;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << std::endl;
        status = 1;
    }
    if (!plantedPrefix.empty()) fs::remove_all(plantedPrefix);
    if (!madePrefix.empty()) fs::remove_all(madePrefix);
    return status;
}
