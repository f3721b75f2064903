// hosts_benchmark: the HOSTS plugin over a generated file of 1,000,000 lines
// (mappings with and without aliases and comments, comments, blank lines, some
// duplicates) on a prefix's disk, with 100,000 host definitions: load and
// classify, the scan, and a fix that carries out 100,000 records. Beside them,
// over the same file in the same run, two yardsticks: grep -cE with the
// equivalent expression in the C locale (the floor of reading and matching the
// lines) and a Python script that classifies each line with re.search.
#include <sys/resource.h>
#include <time.h>

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

// Wall time and processor time (user and system, of this process and of the
// children it waited for): on a machine shared with other work the processor
// time is the figure that compares.
struct Times {
    double wall = 1e9;
    double cpu = 1e9;
    void keepBest(const Times& other) {
        wall = std::min(wall, other.wall);
        cpu = std::min(cpu, other.cpu);
    }
};

double cpuNow() {
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

Times seconds(const std::function<void()>& work) {
    const double cpu = cpuNow();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), cpuNow() - cpu};
}

// The best of three runs of a shell command; its output's first line in answer.
Times commandSeconds(const std::string& command, std::string& answer) {
    Times best;
    for (int run = 0; run < 3; ++run) {
        best.keepBest(seconds([&] {
            FILE* pipe = popen(command.c_str(), "r");
            char buffer[256] = {};
            answer = pipe && std::fgets(buffer, sizeof buffer, pipe) ? buffer : "(no answer)";
            if (pipe) pclose(pipe);
        }));
    }
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return best;
}

void print(const char* what, const Times& times, const std::string& detail) {
    std::printf("%-18s %8.3f s wall %8.3f s processor  (%s)\n", what, times.wall, times.cpu, detail.c_str());
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
    Times load;
    for (int run = 0; run < 3; ++run)
        load.keepBest(seconds([&] { file.load(files.fileReader(), files.fileExistsQuery(), registry); }));
    print("load+classify", load,
          "best of 3; " + std::to_string(file.getLines().size()) + " lines, " +
              std::to_string(file.getDuplicates().size()) + " duplicates, " +
              std::to_string(file.getInvalidLines().size()) + " invalid");

    file.loadBytes({});  // its memory goes back for the plugin's own copy

    ScanResults results;
    NoProgress progress;
    Times scan;
    for (int run = 0; run < 3; ++run) {
        results.hostsChanges.clear();
        scan.keepBest(seconds([&] { plugin.scan(results, &progress); }));
    }
    std::size_t selected = 0;
    for (const HostsModification& r : results.hostsChanges) selected += r.state.selected;
    print("scan", scan,
          "best of 3; " + std::to_string(results.hostsChanges.size()) + " records, " + std::to_string(selected) +
              " selected");

    Times fix;
    std::size_t applied = 0;
    for (int run = 0; run < 3; ++run) {
        std::ofstream(etc / "hosts", std::ios::binary | std::ios::trunc) << text;
        for (HostsModification& r : results.hostsChanges) r.state.applied = false;
        std::string section;
        fix.keepBest(seconds([&] { plugin.fix(results, section); }));
        applied = 0;
        for (const HostsModification& r : results.hostsChanges) applied += r.state.applied;
    }
    print("fix", fix,
          "best of 3; " + std::to_string(applied) + " records applied, " +
              std::to_string(results.fixProblems.size()) + " problems; reread, plan and save");

    // The yardsticks read the file as the scan read it.
    std::ofstream(etc / "hosts", std::ios::binary | std::ios::trunc) << text;
    const std::string hosts = (etc / "hosts").string();
    std::string answer;
    const Times grep = commandSeconds(
        "LC_ALL=C grep -cE '[[:space:]]*(([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+))[[:space:]]+([^ \t#]+)[[:space:]]*' '" +
            hosts + "'",
        answer);
    print("grep -cE (C)", grep, answer + " matching lines; best of 3");
    const fs::path script = fs::path(argv[0]).parent_path() / "hosts_yardstick.py";
    const Times python = commandSeconds("python3 '" + script.string() + "' '" + hosts + "'", answer);
    print("python re.search", python, answer + " matching lines; best of 3");
    std::printf("processor time: scan / python %.2f, scan / grep %.1f\n", scan.cpu / python.cpu, scan.cpu / grep.cpu);
    fs::remove_all(folder);
    return 0;
}
