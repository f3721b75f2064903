// hosts_benchmark: the HOSTS plugin over a generated file of 1,000,000 lines
// (mappings with and without aliases and comments, comments, blank lines, some
// duplicates) on a prefix's disk, with 100,000 host definitions: load and
// classify, the scan, and a fix that carries out 100,000 records. Beside them,
// over the same file in the same run, two yardsticks: grep -cE with the
// equivalent expression in the C locale (the floor of reading and matching the
// lines) and a Python script that classifies each line with re.search.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "bench/BenchFolders.h"
#include "engine/plugins/HostsPlugin.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/registry/memory/MemoryRegistryService.h"

namespace {

namespace fs = std::filesystem;
using namespace com::quorvex::products::tamblix;

constexpr int LINES = 1000000;
constexpr int DEFINITIONS = 100000;

struct NoProgress : ScanProgressListener {
    void progress(std::string) override {}
};

std::string hostName(int i) { return "host-" + std::to_string(i) + ".example.com"; }

// Every 20th line a comment, every 50th blank, every 100th a second mapping of
// an earlier host; the others map host-N in a few shapes.
std::string hostsText() {
    std::string text;
    text.reserve(40u * LINES);
    int host = 0;
    for (int i = 0; i < LINES; ++i) {
        if (i % 20 == 0) {
            text += "# block list section " + std::to_string(i) + "\r\n";
        } else if (i % 50 == 1) {
            text += "\r\n";
        } else if (i % 100 == 7) {
            text += "0.0.0.0 " + hostName(host / 2) + "\r\n";
        } else {
            const std::string name = hostName(host++);
            switch (i % 4) {
                case 0: text += "127.0.0.1       " + name + "\r\n"; break;
                case 1: text += "0.0.0.0\t" + name + " www." + name + "\r\n"; break;
                case 2: text += "10." + std::to_string(i % 256) + ".0." + std::to_string(i % 200) + " " + name + " # seen\r\n"; break;
                default: text += "  192.168.1.1\t" + name + "\r\n"; break;
            }
        }
    }
    return text;
}

// Half of them unblock hosts of the file, half block hosts that are not in it;
// all recommended, so the scan ticks one record each.
std::string definitions() {
    std::string xml = "<tamblix-definition><modifications><hosts-block-plugin>";
    for (int i = 0; i < DEFINITIONS / 2; ++i) {
        xml += "<host block=\"false\" recommend=\"true\">" + hostName(i * 7) + "</host>";
        xml += "<host block=\"true\" recommend=\"true\">new-" + hostName(i) + "</host>";
    }
    return xml + "</hosts-block-plugin></modifications></tamblix-definition>";
}

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of three runs of a shell command; its output's first line in answer.
double commandSeconds(const std::string& command, std::string& answer) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        best = std::min(best, seconds([&] {
            FILE* pipe = popen(command.c_str(), "r");
            char buffer[256] = {};
            answer = pipe && std::fgets(buffer, sizeof buffer, pipe) ? buffer : "(no answer)";
            if (pipe) pclose(pipe);
        }));
    }
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return best;
}

}  // namespace

int main(int, char** argv) {
    const fs::path folder = bench::temporaryFolder("hosts");
    const fs::path prefix = folder / "prefix";
    const fs::path etc = prefix / "drive_c/windows/system32/drivers/etc";
    fs::create_directories(etc);
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    const std::string text = hostsText();
    std::ofstream(etc / "hosts", std::ios::binary) << text;

    windows::registry::memory::MemoryRegistryService registry;
    registry.importHive(windows::registry::tree::HiveId::MACHINE,
                        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n"
                        "[System\\\\CurrentControlSet\\\\Services\\\\Tcpip\\\\Parameters] 1700000000\n"
                        "\"DataBasePath\"=\"C:\\\\windows\\\\system32\\\\drivers\\\\etc\"\n");
    platform::prefix::PrefixFileServices files{platform::prefix::WinePrefix(prefix)};
    HostsPlugin plugin(registry, files.fileReader(), files.fileWriter(), files.fileExistsQuery(), files.folders());
    plugin.loadDefinitions(definitions());

    std::printf("HOSTS file: %d lines, %.1f MB; %d host definitions\n", LINES, text.size() / 1e6, DEFINITIONS);
    HostsFile file(files.folders());
    double load = 1e9;
    for (int run = 0; run < 3; ++run)
        load = std::min(load, seconds([&] { file.load(files.fileReader(), files.fileExistsQuery(), registry); }));
    std::printf("load+classify      %8.3f s  (best of 3; %zu lines, %zu duplicates, %zu invalid)\n", load,
                file.getLines().size(), file.getDuplicates().size(), file.getInvalidLines().size());

    ScanResults results;
    NoProgress progress;
    const double scan = seconds([&] { plugin.scan(results, &progress); });
    std::size_t selected = 0;
    for (const HostsModification& r : results.hostsChanges) selected += r.state.selected;
    std::printf("scan               %8.3f s  (%zu records, %zu selected)\n", scan, results.hostsChanges.size(),
                selected);

    std::string section;
    const double fix = seconds([&] { plugin.fix(results, section); });
    std::size_t applied = 0;
    for (const HostsModification& r : results.hostsChanges) applied += r.state.applied;
    std::printf("fix                %8.3f s  (%zu records applied, %zu problems; reread, plan and save)\n", fix,
                applied, results.fixProblems.size());

    // The yardsticks read the file as the scan read it.
    std::ofstream(etc / "hosts", std::ios::binary | std::ios::trunc) << text;
    const std::string hosts = (etc / "hosts").string();
    std::string answer;
    const double grep = commandSeconds(
        "LC_ALL=C grep -cE '[[:space:]]*(([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+))[[:space:]]+([^ \t#]+)[[:space:]]*' '" +
            hosts + "'",
        answer);
    std::printf("grep -cE (C)       %8.3f s  (%s matching lines; best of 3)\n", grep, answer.c_str());
    const fs::path script = fs::path(argv[0]).parent_path() / "hosts_yardstick.py";
    const double python = commandSeconds("python3 '" + script.string() + "' '" + hosts + "'", answer);
    std::printf("python re.search   %8.3f s  (%s matching lines; best of 3)\n", python, answer.c_str());
    std::printf("scan / python %.2f, scan / grep %.1f\n", scan / python, scan / grep);
    fs::remove_all(folder);
    return 0;
}
