// file_lookup_benchmark [benchmark options]: how fast the file layer finds a name
// that is not written as it is on disk, in a folder of 2000 files, half of
// them with letters beyond ASCII: with the folder's listing cached, and with
// the listing read again for every lookup (a folder that has just changed).
// The argument picks the names asked for: 0 the ASCII ones (SETUP-N.DLL for
// setup-N.dll), 1 the others (RÉSUMÉ-N.TXT for résumé-N.txt).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchFolders.h"
#include "platform/file/prefix/PathResolver.h"
#include "platform/file/prefix/WinePrefix.h"

namespace {

namespace fs = std::filesystem;

constexpr int FILES = 2000;

fs::path prefixFolder;
std::vector<std::string> asked[2];  // the names in other case, as Windows paths: ASCII, other

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

void makePrefix() {
    prefixFolder = bench::temporaryFolder("file-lookup");
    const fs::path folder = prefixFolder / "drive_c" / "Program Files" / "Tool";
    fs::create_directories(folder);
    fs::create_directories(prefixFolder / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefixFolder / "dosdevices" / "c:");
    for (int i = 0; i < FILES; ++i) {
        const bool accented = i % 2 == 1;
        // résumé-N.txt, asked for as RÉSUMÉ-N.TXT; setup-N.dll as SETUP-N.DLL.
        const std::string name = accented ? "r\xc3\xa9sum\xc3\xa9-" + std::to_string(i) + ".txt"
                                          : "setup-" + std::to_string(i) + ".dll";
        std::ofstream(folder / name) << "x";
        std::string other = upperAscii(name);
        if (accented) other = "R\xc3\x89SUM\xc3\x89-" + std::to_string(i) + ".TXT";
        asked[accented].push_back("C:\\PROGRAM FILES\\TOOL\\" + other);
    }
    // A listing is kept only for a folder that has not changed for a while.
    std::this_thread::sleep_for(platform::prefix::ListingCache::CHANGE_TIME_GRANULARITY + std::chrono::seconds(1));
}

void lookupCached(benchmark::State& state) {
    const platform::prefix::WinePrefix prefix(prefixFolder);
    const platform::prefix::PathResolver resolver(prefix);
    const auto& names = asked[state.range(0)];
    std::size_t next = 0;
    for (auto _ : state) {
        const auto resolved = resolver.resolve(names[next++ % names.size()]);
        if (resolved.outcome != platform::prefix::PathResolver::Outcome::FOUND) state.SkipWithError("not found");
    }
}
BENCHMARK(lookupCached)->Arg(0)->Arg(1);

void lookupWithFreshListing(benchmark::State& state) {
    const platform::prefix::WinePrefix prefix(prefixFolder);
    const auto& names = asked[state.range(0)];
    std::size_t next = 0;
    for (auto _ : state) {
        // A resolver of its own reads the folder again.
        const platform::prefix::PathResolver resolver(prefix);
        const auto resolved = resolver.resolve(names[next++ % names.size()]);
        if (resolved.outcome != platform::prefix::PathResolver::Outcome::FOUND) state.SkipWithError("not found");
    }
}
BENCHMARK(lookupWithFreshListing)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    makePrefix();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(prefixFolder);
    return 0;
}
