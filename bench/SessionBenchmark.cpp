// session_benchmark: a 50 MB body from a loopback server through the download
// session against `curl -o /dev/null` of the same address in the same run, and
// the time from cancel() to the return of the cancelled download.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "tests/support/LoopbackHttpServer.h"
#include "update/session/prefix/InternetSessionFactoryImpl.h"

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::LoopbackHttpServer;
using windows::internet::prefix::InternetSessionFactoryImpl;

constexpr std::size_t BODY = 50u << 20;
constexpr int RUNS = 5;
constexpr int CANCELS = 20;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double best(std::vector<double> times) { return *std::min_element(times.begin(), times.end()); }

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double curlRun(const std::string& url) {
    const std::string command = "curl -s -o /dev/null '" + url + "'";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "curl failed: %s\n", command.c_str());
        std::exit(1);
    }
    return millisecondsSince(start);
}

double sessionRun(InternetSessionFactoryImpl& factory, const std::string& url) {
    const auto session = factory.createSession(BODY);
    const auto start = Clock::now();
    const auto body = session->download(url);
    const double elapsed = millisecondsSince(start);
    if (body.size() != BODY) {
        std::fprintf(stderr, "the session returned %zu bytes\n", body.size());
        std::exit(1);
    }
    return elapsed;
}

// From cancel() until the download on the worker has thrown.
double cancelLatency(InternetSessionFactoryImpl& factory, LoopbackHttpServer& server, const std::string& path) {
    const auto session = factory.createSession(1u << 30);
    auto worker = std::async(std::launch::async, [&] {
        try {
            session->download(server.url(path));
        } catch (const windows::internet::CancelledException&) {
        }
    });
    server.waitForRequest(path);
    const auto start = Clock::now();
    session->cancel();
    worker.get();
    return millisecondsSince(start);
}

void throughput(InternetSessionFactoryImpl& factory, LoopbackHttpServer& server) {
    server.serve("/body", std::string(BODY, '\x5a'));
    const std::string url = server.url("/body");
    std::vector<double> curlTimes, sessionTimes;
    for (int run = 0; run < RUNS; ++run) {
        curlTimes.push_back(curlRun(url));
        sessionTimes.push_back(sessionRun(factory, url));
    }
    const double mb = BODY / 1048576.0;
    std::printf("50 MB body, best of %d: curl -o /dev/null %.1f ms (%.0f MB/s), session %.1f ms (%.0f MB/s), "
                "session/curl %.2f\n",
                RUNS, best(curlTimes), mb * 1000 / best(curlTimes), best(sessionTimes),
                mb * 1000 / best(sessionTimes), best(sessionTimes) / best(curlTimes));
}

void cancelling(InternetSessionFactoryImpl& factory, LoopbackHttpServer& server) {
    server.hold("/silent");
    server.endless("/endless");
    for (const char* path : {"/silent", "/endless"}) {
        std::vector<double> times;
        for (int run = 0; run < CANCELS; ++run) times.push_back(cancelLatency(factory, server, path));
        std::printf("cancel latency, %s (%d runs): median %.3f ms, max %.3f ms\n", path, CANCELS, median(times),
                    *std::max_element(times.begin(), times.end()));
    }
}

}  // namespace

int main() {
    InternetSessionFactoryImpl factory;
    {
        LoopbackHttpServer server;
        throughput(factory, server);
    }
    LoopbackHttpServer server;
    cancelling(factory, server);
    return 0;
}
