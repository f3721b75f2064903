// registry_benchmark [<prefix>] [benchmark options]: how fast the registry of a
// Wine prefix is loaded, enumerated in full (HKLM and HKCU) and written after one
// change. The prefix is the argument, else $WINEPREFIX, else a fresh one made
// with wineboot in a temporary folder. The benchmark works on a copy of the
// prefix's registry files and never changes the prefix itself.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchFolders.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"

namespace {

using namespace windows::registry;
namespace fs = std::filesystem;

fs::path workPrefix;   // the copy the benchmarks work on
fs::path madePrefix;   // the folder of a prefix made for the run, removed at its end


std::unique_ptr<RegistryServiceImpl> service() {
    return std::make_unique<RegistryServiceImpl>(platform::prefix::WinePrefix(workPrefix));
}

struct Counts {
    long keys = 0;
    long values = 0;
};

void walk(RegistryService& registry, std::uint32_t root, const std::string& path, Counts& counts) {
    std::unique_ptr<RegistryKey> key;
    try {
        key = registry.openKey(root, path, ACCESS_READ);
    } catch (const RegistryKeyNotFoundException&) {
        return;  // a link that leads nowhere
    }
    const auto reader = registry.createReader(key.get());
    ++counts.keys;
    counts.values += static_cast<long>(reader->enumValues().size());
    for (const auto& name : reader->enumSubkeys()) walk(registry, root, path.empty() ? name : path + "\\" + name, counts);
}

void loadRegistry(benchmark::State& state) {
    for (auto _ : state) {
        const auto registry = service();
        registry->openKey(ROOT_LOCAL_MACHINE, "", ACCESS_READ);
        registry->openKey(ROOT_CURRENT_USER, "", ACCESS_READ);
    }
    state.counters["system.reg bytes"] = static_cast<double>(fs::file_size(workPrefix / "system.reg"));
}

void enumerateEverything(benchmark::State& state) {
    const auto registry = service();
    Counts counts;
    walk(*registry, ROOT_LOCAL_MACHINE, "", counts);
    for (auto _ : state) {
        counts = Counts{};
        walk(*registry, ROOT_LOCAL_MACHINE, "", counts);
        walk(*registry, ROOT_CURRENT_USER, "", counts);
    }
    state.counters["keys"] = static_cast<double>(counts.keys);
    state.counters["values"] = static_cast<double>(counts.values);
}

void writeAfterOneChange(benchmark::State& state) {
    const auto registry = service();
    registry->openKey(ROOT_LOCAL_MACHINE, "", ACCESS_READ);
    std::uint32_t counter = 0;
    for (auto _ : state) {
        const auto key = registry->openKey(ROOT_LOCAL_MACHINE, "Software\\Wine", ACCESS_SET_VALUE);
        registry->createWriter(key.get())->setDword("TamblixBenchmark", ++counter, TYPE_DWORD);
    }
}

BENCHMARK(loadRegistry)->Unit(benchmark::kMillisecond);
BENCHMARK(enumerateEverything)->Unit(benchmark::kMillisecond);
BENCHMARK(writeAfterOneChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> arguments{argv[0]};
    fs::path prefix;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).rfind("--", 0) == 0 || !prefix.empty())
            arguments.push_back(argv[i]);
        else
            prefix = argv[i];
    }
    try {
        if (prefix.empty()) {
            const char* named = std::getenv("WINEPREFIX");
            prefix = named && *named ? fs::path(named) : bench::freshPrefix(madePrefix);
        }
        workPrefix = bench::temporaryFolder("registry-benchmark");
        for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
            if (fs::exists(prefix / name)) fs::copy_file(prefix / name, workPrefix / name);
        std::cout << "Registry of " << prefix << " (" << fs::file_size(workPrefix / "system.reg")
                  << " bytes of system.reg), copied to " << workPrefix << std::endl;
        std::cout << "Aims: load under 150 ms, full enumeration under 100 ms, one change written under 50 ms" << std::endl;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << std::endl;
        return 1;
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(workPrefix);
    if (!madePrefix.empty()) fs::remove_all(madePrefix);
    return 0;
}
