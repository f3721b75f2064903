// signature_scan_benchmark [folder]: the file signature scan over a real folder
// (default /usr/lib/x86_64-linux-gnu), mapped as drive d: of a scratch prefix,
// with 100, 10,000 and 100,000 signatures (half MD5 only, half with histograms,
// none of which is expected to match), beside md5sum over the same files in the
// same run with a warm cache:
//
//   find FOLDER -size -20000001c -type f -print0 | xargs -0 md5sum > /dev/null

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bench/BenchFolders.h"
#include "engine/plugins/SignaturePlugin.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/zip/FileArchiveSource.h"
#include "platform/zip/ZipReaderImpl.h"

namespace {

using namespace com::quorvex::products::tamblix;
using Clock = std::chrono::steady_clock;

struct Counting : ScanProgressListener {
    unsigned long texts = 0;
    void progress(std::string) override { ++texts; }
};

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double md5sumSeconds(const std::string& folder) {
    const std::string command = "find '" + folder + "' -size -20000001c -type f -print0 | xargs -0 md5sum > /dev/null 2>&1";
    const auto start = Clock::now();
    if (std::system(command.c_str()) == -1) return -1;
    return seconds(start);
}

// count signatures: the even ones an MD5 only, the odd ones also a histogram
// whose total lies anywhere from 1 byte to 20 MB (evenly on a log scale).
std::string definitions(int count) {
    std::mt19937_64 random(count);
    const Vossek1Hash vossek;
    std::string text = "<tamblix-definition><modifications><file-signature-plugin><vossek-cutoff>0.05</vossek-cutoff>"
                       "<signature-group info='benchmark'>";
    char md5[40];
    for (int i = 0; i < count; ++i) {
        std::snprintf(md5, sizeof md5, "%016llx%016llx", (unsigned long long)random(), (unsigned long long)random());
        text += "<signature md5='" + std::string(md5) + "'";
        if (i % 2 == 1) {
            // The counts of total bytes, spread over the bins at random.
            const auto total = static_cast<std::uint64_t>(
                std::exp(std::uniform_real_distribution<double>(0, std::log(20000000.0))(random)));
            Histogram histogram(256, static_cast<std::uint32_t>(total / 256));
            for (std::uint64_t left = total % 256; left > 0; --left) ++histogram[random() % 256];
            text += " vossek1='" + vossek.format(histogram) + "'";
        }
        text += "/>";
    }
    return text + "</signature-group></file-signature-plugin></modifications></tamblix-definition>";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu";
    const std::filesystem::path prefix = bench::temporaryFolder("signature-scan");
    std::filesystem::create_directories(prefix / "dosdevices");
    std::filesystem::create_symlink(std::filesystem::absolute(folder), prefix / "dosdevices" / "d:");

    platform::prefix::WinePrefix wine(prefix);
    platform::prefix::PrefixFileServices files(wine);
    FileArchiveSource archives(files.fileCalls());
    ZipReaderImpl zip(archives);

    std::printf("folder %s as d:\n", folder.c_str());
    const double warm = md5sumSeconds(folder);
    std::printf("%-28s %8.2f s (warming the cache)\n", "md5sum", warm);
    for (int count : {100, 10000, 100000}) {
        SignaturePlugin plugin(files.fileReader(), files.driveEnumerator(), files.fileFinder(), zip);
        plugin.loadDefinitions(definitions(count));
        ScanResults results;
        Counting progress;
        const auto start = Clock::now();
        plugin.scan(results, &progress);
        const double took = seconds(start);
        const double yardstick = md5sumSeconds(folder);
        std::printf("%-7d signatures, 1 thread %8.2f s  md5sum %6.2f s  ratio %5.2f  (%lu checked, %zu suggested, "
                    "%zu problems)\n",
                    count, took, yardstick, took / yardstick, progress.texts, results.fileChanges.size(),
                    results.scanProblems.size());
    }
    std::filesystem::remove_all(prefix);
    return 0;
}
