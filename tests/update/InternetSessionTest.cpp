#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/LoopbackHttpServer.h"
#include "update/session/prefix/InternetSessionFactoryImpl.h"
#include "update/session/prefix/InternetSessionImpl.h"

namespace {

using com::quorvex::products::tamblix::Observable;
using com::quorvex::products::tamblix::Observer;
using testing_support::LoopbackHttpServer;
using windows::internet::CancelledException;
using windows::internet::InternetSession;
using windows::internet::InternetSessionException;
using windows::internet::SessionSettings;
using windows::internet::prefix::InternetSessionFactoryImpl;
using windows::internet::prefix::InternetSessionImpl;

using Bytes = std::vector<char>;

constexpr std::size_t LIMIT = 1 << 20;
// Far beyond any prompt end, short of a hang.
constexpr auto NO_HANG = std::chrono::seconds(30);

// The byte counts the session reported, one per notification.
class BytesReadLog : public Observer {
public:
    explicit BytesReadLog(InternetSession& session) : _session(session) { _session.addObserver(this); }
    ~BytesReadLog() override { _session.removeObserver(this); }
    void onNotify(Observable*) override { counts.push_back(_session.getBytesRead()); }

    std::vector<int> counts;

private:
    InternetSession& _session;
};

std::string internetFailure(const std::string& url) {
    return "CInternetException* e:\nError connecting or downloading data from: " + url + "\nSystem error message: ";
}

std::string cancelled(const std::string& url) { return "Internet connection to " + url + " cancelled."; }

std::string binaryBody(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return body;
}

class InternetSessionTest : public ::testing::Test {
protected:
    std::unique_ptr<InternetSession> session(std::size_t limit = LIMIT) { return factory.createSession(limit); }

    // The failure text of a download that must fail, "" when it did not.
    static std::string failureOf(InternetSession& session, const std::string& url) {
        try {
            session.download(url);
        } catch (const CancelledException& e) {
            return "cancelled: " + e.getMessage();
        } catch (const InternetSessionException& e) {
            return e.getMessage();
        }
        return "";
    }

    // Downloads url on another thread and cancels once the server has the request
    // (and, with atLeast, once that many bytes arrived); the worker's failure text.
    std::string cancelWhileDownloading(const std::string& path, int atLeast = 0) {
        auto downloading = session();
        InternetSession& running = *downloading;
        auto worker = std::async(std::launch::async, [&] { return failureOf(running, server.url(path)); });
        EXPECT_TRUE(server.waitForRequest(path));
        while (running.getBytesRead() < atLeast && worker.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
        }
        running.cancel();
        EXPECT_EQ(worker.wait_for(NO_HANG), std::future_status::ready) << "the cancelled download does not end";
        return worker.get();
    }

    LoopbackHttpServer server;
    InternetSessionFactoryImpl factory;
};

TEST_F(InternetSessionTest, ReturnsEveryByteInChunksOfAtMost1024WithOneMoreNotificationAtTheEnd) {
    const std::size_t sizes[] = {1, 1023, 1024, 1025, 3000, 256 * 1024 + 17};
    for (const std::size_t size : sizes) {
        SCOPED_TRACE(size);
        const std::string body = binaryBody(size);
        server.serve("/body", body);
        auto downloading = session();
        BytesReadLog log(*downloading);

        EXPECT_EQ(downloading->download(server.url("/body")), Bytes(body.begin(), body.end()));
        EXPECT_EQ(downloading->getBytesRead(), static_cast<int>(size));
        ASSERT_GE(log.counts.size(), (size + 1023) / 1024 + 1);
        int previous = 0;
        for (std::size_t i = 0; i + 1 < log.counts.size(); ++i) {
            EXPECT_GT(log.counts[i], previous);
            EXPECT_LE(log.counts[i] - previous, 1024);
            previous = log.counts[i];
        }
        EXPECT_EQ(log.counts.back(), static_cast<int>(size)) << "the last notification follows the empty read";
        EXPECT_EQ(log.counts[log.counts.size() - 2], static_cast<int>(size));
    }
}

TEST_F(InternetSessionTest, AnEmptyBodyIsAnEmptyBufferAfterExactlyOneNotification) {
    server.serve("/empty", "");
    auto downloading = session();
    BytesReadLog log(*downloading);
    EXPECT_TRUE(downloading->download(server.url("/empty")).empty());
    EXPECT_EQ(log.counts, std::vector<int>{0});
}

TEST_F(InternetSessionTest, ABodyIsReturnedWhateverTheStatusAndAfterRedirects) {
    server.serve("/missing", "<html>gone</html>", 404, "text/html");
    server.serve("/target", "moved here");
    server.redirect("/moved", "/target");
    server.redirect("/moved-twice", server.url("/moved"), 301);
    const struct {
        const char* path;
        std::string body;
    } cases[] = {{"/missing", "<html>gone</html>"}, {"/moved", "moved here"}, {"/moved-twice", "moved here"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(session()->download(server.url(c.path)), Bytes(c.body.begin(), c.body.end()));
    }
}

TEST_F(InternetSessionTest, AsksAsTheMicrosoftInternetBrowser) {
    server.serve("/agent", "x");
    session()->download(server.url("/agent"));
    EXPECT_EQ(server.lastAgent("/agent"), "Microsoft Internet Browser");
}

TEST_F(InternetSessionTest, ASessionDownloadsAgainFromZero) {
    server.serve("/long", binaryBody(5000));
    server.serve("/short", "abc");
    auto downloading = session();
    downloading->download(server.url("/long"));
    EXPECT_EQ(downloading->download(server.url("/short")), (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(downloading->getBytesRead(), 3);
}

TEST_F(InternetSessionTest, FailuresOfTheNetworkAndTheServerNameTheAddress) {
    server.breakOff("/dies", 100000, 30000);
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort()) + "/x";
    const std::string urls[] = {unreachable, server.url("/dies"), "http://no-such-host.invalid/update.xml"};
    for (const auto& url : urls) {
        SCOPED_TRACE(url);
        auto downloading = session();
        const std::string failure = failureOf(*downloading, url);
        EXPECT_EQ(failure.rfind(internetFailure(url), 0), 0u) << failure;
        EXPECT_GT(failure.size(), internetFailure(url).size()) << "the client's own text follows";
        EXPECT_EQ(static_cast<InternetSessionImpl&>(*downloading).getSessionState(), InternetSessionImpl::IDLE);
    }
}

TEST_F(InternetSessionTest, OnlyHttpAndHttpsAreFetchedRedirectsIncluded) {
    server.redirect("/to-passwd", "file:///etc/passwd");
    server.redirect("/to-ftp", "ftp://127.0.0.1/x");
    const std::string urls[] = {"file:///etc/passwd", "FILE:///etc/passwd", "ftp://127.0.0.1/x",
                                "dict://127.0.0.1/x", server.url("/to-passwd"), server.url("/to-ftp")};
    for (const auto& url : urls) {
        SCOPED_TRACE(url);
        auto downloading = session();
        BytesReadLog log(*downloading);
        const std::string failure = failureOf(*downloading, url);
        EXPECT_EQ(failure.rfind(internetFailure(url), 0), 0u) << failure;
        EXPECT_EQ(downloading->getBytesRead(), 0);
        EXPECT_TRUE(log.counts.empty());
    }
}

TEST_F(InternetSessionTest, ABodyPastTheLimitEndsTheDownload) {
    server.serve("/declared", binaryBody(2000));
    server.endless("/endless");
    server.breakOff("/claims-4-gb", 4ull << 30, 1000);
    const char* paths[] = {"/declared", "/endless", "/claims-4-gb"};
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        auto downloading = session(1000);
        const std::string url = server.url(path);
        EXPECT_EQ(failureOf(*downloading, url), "CFileException* e\nError connecting or downloading data from: " + url +
                                                    "\nSystem error message: The data is longer than the 1000 bytes "
                                                    "allowed.");
        EXPECT_LE(downloading->getBytesRead(), 1000);
    }
}

TEST_F(InternetSessionTest, ABodyOfExactlyTheLimitIsWhole) {
    const std::string body = binaryBody(4096);
    server.serve("/exact", body);
    EXPECT_EQ(session(4096)->download(server.url("/exact")), Bytes(body.begin(), body.end()));
}

TEST_F(InternetSessionTest, ACancelledSessionRefusesToDownloadWithoutConnecting) {
    server.serve("/doc", "content");
    auto fresh = session();
    fresh->cancel();
    auto used = session();
    used->download(server.url("/doc"));
    used->cancel();
    for (InternetSession* cancelledSession : {fresh.get(), used.get()}) {
        for (int attempt = 0; attempt < 2; ++attempt)
            EXPECT_EQ(failureOf(*cancelledSession, server.url("/other")), "cancelled: " + cancelled(server.url("/other")));
        EXPECT_EQ(static_cast<InternetSessionImpl*>(cancelledSession)->getSessionState(), InternetSessionImpl::CANCELLED);
    }
    EXPECT_EQ(server.requestCount("/other"), 0);
}

TEST_F(InternetSessionTest, CancelEndsADownloadWhereverItWaits) {
    server.hold("/silent");
    server.stall("/stalled", 100000, 20000);
    server.endless("/endless");
    const struct {
        const char* path;
        int bytesFirst;
    } cases[] = {{"/silent", 0}, {"/stalled", 20000}, {"/endless", 100000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(cancelWhileDownloading(c.path, c.bytesFirst), "cancelled: " + cancelled(server.url(c.path)));
    }
}

TEST_F(InternetSessionTest, CancelFromAnObserverEndsTheDownload) {
    server.endless("/endless");
    auto downloading = session(64u << 20);
    struct Canceller : Observer {
        InternetSession* session;
        void onNotify(Observable*) override {
            if (session->getBytesRead() >= 10000) session->cancel();
        }
    } canceller;
    canceller.session = downloading.get();
    downloading->addObserver(&canceller);
    EXPECT_EQ(failureOf(*downloading, server.url("/endless")), "cancelled: " + cancelled(server.url("/endless")));
    EXPECT_LT(downloading->getBytesRead(), 10000 + 1024 * 64);
}

TEST_F(InternetSessionTest, AServerThatNeverAnswersFailsAfterTheStallTimeoutWithoutACancel) {
    server.hold("/silent");
    SessionSettings settings;
    settings.stallTimeoutSeconds = 1;
    InternetSessionFactoryImpl impatient(settings);
    auto downloading = impatient.createSession(LIMIT);
    const std::string url = server.url("/silent");
    auto worker = std::async(std::launch::async, [&] { return failureOf(*downloading, url); });
    ASSERT_EQ(worker.wait_for(NO_HANG), std::future_status::ready);
    const std::string failure = worker.get();
    EXPECT_EQ(failure.rfind(internetFailure(url), 0), 0u) << failure;
}

TEST_F(InternetSessionTest, TheConfiguredProxyCarriesTheRequestUnlessTheHostIsBypassed) {
    // The loopback server is the proxy: it sees the absolute address as the path.
    server.serve("http://proxied.invalid/doc", "through the proxy");
    SessionSettings settings;
    settings.proxy = {true, "http=127.0.0.1:" + std::to_string(server.port()), "<local>;direct.invalid"};
    InternetSessionFactoryImpl proxied(settings);

    EXPECT_EQ(proxied.createSession(LIMIT)->download("http://proxied.invalid/doc"),
              Bytes({'t', 'h', 'r', 'o', 'u', 'g', 'h', ' ', 't', 'h', 'e', ' ', 'p', 'r', 'o', 'x', 'y'}));
    auto bypassed = proxied.createSession(LIMIT);
    const std::string failure = failureOf(*bypassed, "http://direct.invalid/doc");
    EXPECT_EQ(failure.rfind(internetFailure("http://direct.invalid/doc"), 0), 0u) << failure;
    EXPECT_EQ(server.requestCount("http://direct.invalid/doc"), 0);
}

}  // namespace
