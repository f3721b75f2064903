#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/file/FileExceptions.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "tests/engine/AssertionLog.h"
#include "tests/support/TempDir.h"
#include "tests/update/UpdateFixture.h"
#include "update/TamblixUpdateImpl.h"
#include "update/UpdateLimits.h"
#include "update/compression/ContainerSizeField.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/install/DefinitionsInstall.h"
#include "update/session/memory/MemorySessionFactory.h"
#include "update/signature/MsCheckSignature.h"

namespace {

using namespace com::quorvex::products::tamblix;
using namespace update_testing;
namespace memory = windows::internet::memory;

const std::string DESCRIPTION = "http://updates.test/update.xml";
const std::string MIRROR_A = "http://a.test/definitions.xml.tam";
const std::string MIRROR_B = "http://b.test/definitions.xml.tam";
const std::string MIRROR_C = "http://c.test/definitions.xml.tam";
constexpr int INSTALLED = 5;

std::string failureText(const std::string& url) {
    return "CInternetException* e:\nError connecting or downloading data from: " + url +
           "\nSystem error message: The server name could not be resolved.";
}

// The outcome of one run: its result, or the text of what it threw.
struct Outcome {
    int result = -1;
    std::string failure;
};

class Updater : public testing::Test {
protected:
    void SetUp() override {
        engine_testing::forgetAssertions();
        files.addFile(install::INSTALLED_DEFINITIONS, "old definitions");
        files.addFile(install::INSTALLED_SIGNATURE, "old signature");
    }

    Outcome run(std::uint32_t seed = 1) {
        TamblixUpdateImpl updater(*server, files, checker, seed);
        return runWith(updater);
    }

    Outcome runWith(TamblixUpdateImpl& updater) {
        Outcome outcome;
        try {
            outcome.result = updater.update(DESCRIPTION, INSTALLED, files, uncompressor, publicKey());
        } catch (const exceptions::Exception& e) {
            outcome.failure = e.getMessage();
        }
        return outcome;
    }

    // Serves the description and one edition at each mirror, with its signature.
    void serve(const std::vector<std::string>& mirrors, const Edition& edition, const std::string& counter = "6") {
        server->answer(DESCRIPTION, memory::body(descriptionText(counter, {{"tamblix-definition",
                                                                              std::to_string(edition.container.size()),
                                                                              mirrors}})));
        for (const std::string& mirror : mirrors) {
            server->answer(mirror, memory::body(textOf(edition.container)));
            server->answer(TamblixUpdateImpl::signatureAddress(mirror), memory::body(textOf(edition.signature)));
        }
    }

    // A new server and the installed pair alone on the disk.
    void fresh() {
        server = std::make_unique<memory::MemorySessionFactory>();
        files = platform::file::memory::MemoryFileSystem();
        SetUp();
    }

    bool installedPairUntouched() {
        return files.files[install::INSTALLED_DEFINITIONS] == "old definitions" &&
               files.files[install::INSTALLED_SIGNATURE] == "old signature" && files.files.size() == 2;
    }

    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    platform::file::memory::MemoryFileSystem files;
    std::unique_ptr<memory::MemorySessionFactory> server = std::make_unique<memory::MemorySessionFactory>();
    encryption::pki::MsCheckSignature checker;
    compression::ZlibUncompressionStream uncompressor;
};

TEST_F(Updater, InstallsFromTheOneMirrorThatAnswersWhicheverOrderTheyAreTried) {
    const Edition edition = signedEdition(6);
    std::set<std::string> firstTried;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        fresh();
        serve({MIRROR_A}, edition);
        server->answer(DESCRIPTION,
                        memory::body(descriptionText("6", {{"tamblix-definition", "10", {MIRROR_A, MIRROR_B, MIRROR_C}}})));
        const Outcome outcome = run(seed);
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.result, TamblixUpdate::UPDATED);
        EXPECT_EQ(files.files[install::INSTALLED_DEFINITIONS], textOf(edition.container));
        EXPECT_EQ(files.files[install::INSTALLED_SIGNATURE], textOf(edition.signature));
        // Nothing of the install stays behind.
        EXPECT_EQ(files.files.size(), 2u);
        const auto urls = server->urls();
        ASSERT_GE(urls.size(), 3u);
        firstTried.insert(urls[1]);
        EXPECT_EQ(urls.back(), "http://a.test/definitions-sig.xml");
    }
    // The order is drawn anew by each client, not fixed for all of them.
    EXPECT_EQ(firstTried.size(), 3u);
}

TEST_F(Updater, EveryDownloadIsBoundedByWhatTheProductAccepts) {
    serve({MIRROR_A}, signedEdition(6));
    ASSERT_EQ(run().result, TamblixUpdate::UPDATED);
    const auto requests = server->requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].bodyLimit, DESCRIPTION_LIMIT);
    EXPECT_EQ(requests[1].bodyLimit, DEFINITIONS_LIMIT);
    EXPECT_EQ(requests[2].bodyLimit, SIGNATURE_LIMIT);
}

TEST_F(Updater, RunsThatInstallNothing) {
    const Edition good = signedEdition(6);
    const Edition notNewer = signedEdition(5);
    const Edition stranger = signedEdition(definitionsText(6), strangerKey());
    Edition hugeField = good;
    compression::writeSizeField(0xFFFFFFFFu, hugeField.container.data());
    Edition smallField = good;
    compression::writeSizeField(20, smallField.container.data());
    Edition truncated = good;
    truncated.container.resize(truncated.container.size() / 2);
    const Edition noCounter = signedEdition("<tamblix-definition><derivate-product-info/></tamblix-definition>");
    const std::string page404 = std::string("<html><body>404 Not Found") + '\0' + "\x01</body></html>";
    const std::string lead = good.text.substr(0, 512);

    struct Case {
        const char* name;
        std::function<void()> serve;
        Outcome expected;
        std::vector<std::string> asked = {};  // empty: not checked
    };
    const std::vector<Case> cases = {
        {"the installed counter is the newest", [&] { serve({MIRROR_A}, good, "5"); }, {TamblixUpdate::NOT_UPDATED, ""},
         {DESCRIPTION}},
        {"a counter below the installed one, items not even read",
         [&] { server->answer(DESCRIPTION, memory::body(descriptionText("4", {{"x", "no number", {}}}))); },
         {TamblixUpdate::NOT_UPDATED, ""},
         {DESCRIPTION}},
        {"no description at the address", [] {},
         {-1, "Error updating the database.\n" + failureText(DESCRIPTION)},
         {DESCRIPTION}},
        {"a 404 page, quoted with its control bytes written out",
         [&] { server->answer(DESCRIPTION, memory::body(page404)); },
         {-1, "Problems with the update definition file downloaded from " + DESCRIPTION +
                  ". It is possible that the file is missing or that it contains unexpected data. Response from the "
                  "web server [<html><body>404 Not Found\\x00\\x01</body></html>]"}},
        {"the root tag past the first 1024 bytes",
         [&] { server->answer(DESCRIPTION, memory::body(std::string(1020, ' ') + descriptionText("6", {}))); },
         {-1, "Problems with the update definition file downloaded from " + DESCRIPTION +
                  ". It is possible that the file is missing or that it contains unexpected data. Response from the "
                  "web server [" + std::string(1020, ' ') + "<?xm]"}},
        {"two counters",
         [&] {
             std::string text = descriptionText("6", {});
             text.insert(text.find("<items>"), "<update-counter>7</update-counter>");
             server->answer(DESCRIPTION, memory::body(text));
         },
         {-1, "Could not get the value in the xml file for the following path: "
              "//tamblix-update/derivate-product-info/update-counter\nResponse from the web server [" +
                  [] {
                      std::string text = descriptionText("6", {});
                      text.insert(text.find("<items>"), "<update-counter>7</update-counter>");
                      return text;
                  }() + "]"}},
        {"a description that is not well formed",
         [&] { server->answer(DESCRIPTION, memory::body("<tamblix-update><derivate-product-info>")); },
         {-1, "Error updating database. Problems parsing the xml data in the update file.\n"}},
        {"an item without mirrors",
         [&] { server->answer(DESCRIPTION, memory::body(descriptionText("6", {{"tamblix-definition", "1", {}}}))); },
         {-1, "Could not update the definition file. Error log:\n"},
         {DESCRIPTION}},
        {"every mirror fails", [&] {
             server->answer(DESCRIPTION, memory::body(descriptionText("6", {{"tamblix-definition", "1",
                                                                              {MIRROR_A, MIRROR_B, MIRROR_C}}})));
         },
         {-1, ""}},
        {"a mirror without the container's name ends the run",
         [&] {
             server->answer(DESCRIPTION, memory::body(descriptionText(
                                              "6", {{"tamblix-definition", "1", {"http://a.test/definitions.zip"}}})));
             server->answer("http://a.test/definitions.zip", memory::body(textOf(good.container)));
         },
         {-1, "Incorrect naming of definition file, it should end with '.xml.tam'The definition file is named: "
              "http://a.test/definitions.zip"},
         {DESCRIPTION, "http://a.test/definitions.zip"}},
        {"a signature by another key", [&] { serve({MIRROR_A}, stranger); },
         {-1, "The signature did not match the definition file. \nThe Xml signature: [" + textOf(stranger.signature) +
                  "]\n\nThe first 512 bytes from the definition file: [" + lead + "]"}},
        {"a signature document without its values",
         [&] {
             serve({MIRROR_A}, good);
             server->answer("http://a.test/definitions-sig.xml", memory::body("<Signature/>"));
         },
         {-1, "Error parsing the detached XmlSignature. The following shows the complete XmlSignature downloaded "
              "from the server: [<Signature/>]"}},
        {"a signed definition not above the installed counter", [&] { serve({MIRROR_A}, notNewer); },
         {-1, "Problems updating. The downloaded definition has an update number smaller or equal to the current.\n"
              "Uncompressed response from the web server [" +
                  notNewer.text.substr(0, 512) + "..]"}},
        {"a signed definition without a counter", [&] { serve({MIRROR_A}, noCounter); },
         {-1, "Could not get the value in the new xml definition file for the following path: "
              "//tamblix-definition/derivate-product-info/update-counter\nUncompressed response from the web server [" +
                  noCounter.text + "..]"}},
        {"a container whose size field claims 4 GB", [&] { serve({MIRROR_A}, hugeField); },
         {-1, "Error updating database. Problems uncompressing the downloaded definition file.\n"
              "Error allocating memory buffer to decompress data.\n"}},
        {"a container that inflates past its size field", [&] { serve({MIRROR_A}, smallField); },
         {-1, "Error updating database. Problems uncompressing the downloaded definition file.\n"}},
        {"a truncated container", [&] { serve({MIRROR_A}, truncated); },
         {-1, "Error updating database. Problems uncompressing the downloaded definition file.\n"}},
        {"a size that is no number",
         [&] {
             server->answer(DESCRIPTION,
                             memory::body(descriptionText("6", {{"tamblix-definition", "big", {MIRROR_A}}})));
         },
         {-1, "big"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        c.serve();
        const Outcome outcome = run();
        EXPECT_EQ(outcome.result, c.expected.result);
        if (c.expected.result == -1) {
            if (std::string(c.name) == "every mirror fails") {
                // Each mirror's text once, each followed by a line feed, in the order tried.
                const auto urls = server->urls();
                ASSERT_EQ(urls.size(), 4u);
                EXPECT_EQ(outcome.failure, "Could not update the definition file. Error log:\n" + failureText(urls[1]) +
                                               "\n" + failureText(urls[2]) + "\n" + failureText(urls[3]) + "\n");
            } else if (c.expected.failure.back() == '\n' || c.expected.failure == "big") {
                EXPECT_NE(outcome.failure.find(c.expected.failure), std::string::npos) << outcome.failure;
            } else {
                EXPECT_EQ(outcome.failure, c.expected.failure);
            }
        }
        if (!c.asked.empty()) {
            EXPECT_EQ(server->urls(), c.asked);
        }
        EXPECT_TRUE(installedPairUntouched());
    }
}

TEST_F(Updater, AnItemOfAnotherTypeIsReportedAndSkipped) {
    server->answer(DESCRIPTION, memory::body(descriptionText("6", {{"assertion-report", "1", {MIRROR_A}}})));
    EXPECT_EQ(run().result, TamblixUpdate::UPDATED);
    EXPECT_EQ(engine_testing::assertionMessages(), std::vector<std::string>{"false"});
    EXPECT_EQ(server->urls(), std::vector<std::string>{DESCRIPTION});
    EXPECT_TRUE(installedPairUntouched());
}

TEST_F(Updater, ASaveThatFailsIsTheRunsFailureAndLeavesTheInstalledPair) {
    serve({MIRROR_A}, signedEdition(6));
    files.failWrites = true;
    const Outcome outcome = run();
    EXPECT_EQ(outcome.failure.rfind("Error updating database. Could not save the new database on the hard drive.\n", 0),
              0u)
        << outcome.failure;
    EXPECT_TRUE(installedPairUntouched());
}

// A cancel at each download of a run, and after the last of them: the run ends
// as cancelled and nothing is saved.
TEST_F(Updater, ACancelAtAnyDownloadEndsTheRunWithNothingSaved) {
    const Edition edition = signedEdition(6);
    const std::string signature = "http://a.test/definitions-sig.xml";
    struct Case {
        const char* name;
        std::string blockedUrl;     // blocks until cancelled
        std::string cancelOnChunk;  // cancelled from inside its own download
    } cases[] = {
        {"during the description", DESCRIPTION, ""},
        {"during the definition", MIRROR_A, ""},
        {"during the signature", signature, ""},
        {"in the middle of the definition", "", MIRROR_A},
        {"after the signature arrived", "", signature},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        serve({MIRROR_A}, edition);
        if (!c.blockedUrl.empty()) server->answer(c.blockedUrl, memory::blocking());
        TamblixUpdateImpl updater(*server, files, checker, 1);
        if (!c.cancelOnChunk.empty())
            server->onChunk = [&](const std::string& url, int) {
                if (url == c.cancelOnChunk) updater.cancel();
            };
        Outcome outcome;
        std::thread worker([&] { outcome = runWith(updater); });
        if (!c.blockedUrl.empty()) {
            server->waitUntilBlocked(c.blockedUrl);
            updater.cancel();
        }
        worker.join();
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.result, TamblixUpdate::CANCELLED);
        EXPECT_TRUE(installedPairUntouched());
    }
}

TEST_F(Updater, TheNextRunIsNotCancelledByAnEarlierCancel) {
    serve({MIRROR_A}, signedEdition(6));
    TamblixUpdateImpl updater(*server, files, checker, 1);
    updater.cancel();
    EXPECT_EQ(runWith(updater).result, TamblixUpdate::UPDATED);
}

// The engine passes on a cancel that came before the run could take it when the
// run first notifies; every session the run makes after that is cancelled too.
TEST_F(Updater, ACancelPassedOnAtTheFirstNotificationEndsTheRunBeforeAnyDownload) {
    serve({MIRROR_A}, signedEdition(6));
    TamblixUpdateImpl updater(*server, files, checker, 1);
    struct PassesOnACancel : Observer {
        explicit PassesOnACancel(TamblixUpdate& updater) : updater(updater) {}
        void onNotify(Observable*) override { updater.cancel(); }
        TamblixUpdate& updater;
    } passesOn(updater);
    updater.addObserver(&passesOn);
    EXPECT_EQ(runWith(updater).result, TamblixUpdate::CANCELLED);
    EXPECT_TRUE(server->urls().empty());
    EXPECT_TRUE(installedPairUntouched());
}

struct ProgressRecorder : Observer {
    explicit ProgressRecorder(TamblixUpdate& updater) : updater(updater) {}
    void onNotify(Observable*) override { seen.push_back(updater.getProgress()); }
    TamblixUpdate& updater;
    std::vector<int> seen;
};

TEST_F(Updater, ProgressFollowsTheDefinitionDownloadOnlyWhenItMoves) {
    // A definitions file of some kilobytes that compresses badly.
    std::string text = definitionsText(6);
    std::uint32_t noise = 7;
    std::string filler;
    for (int i = 0; i < 6000; ++i) filler += static_cast<char>('a' + ((noise = noise * 1103515245u + 12345u) >> 27) % 26);
    text.insert(text.find("<modifications/>"), "<!--" + filler + "-->");
    const Edition edition = signedEdition(text);
    serve({MIRROR_A}, edition);
    TamblixUpdateImpl updater(*server, files, checker, 1);
    ProgressRecorder recorder(updater);
    updater.addObserver(&recorder);
    ASSERT_EQ(runWith(updater).result, TamblixUpdate::UPDATED);
    // The run's first notification, then one per percentage that changed.
    ASSERT_GE(recorder.seen.size(), 3u);
    EXPECT_EQ(recorder.seen.front(), 0);
    EXPECT_EQ(recorder.seen.back(), 100);
    for (std::size_t i = 2; i < recorder.seen.size(); ++i) EXPECT_GT(recorder.seen[i], recorder.seen[i - 1]);
    EXPECT_EQ(updater.getProgress(), 100);
}

TEST(UpdaterNaming, TheSignatureLiesBesideTheDefinitions) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://a.test/definitions.xml.tam", "http://a.test/definitions-sig.xml"},
        {"http://a.test/x/defs.xml.tam", "http://a.test/x/defs-sig.xml"},
        {"http://a.test/a.xml.tam/b.xml.tam", "http://a.test/a-sig.xml.tam/b.xml"},
    };
    for (const auto& [definition, signature] : cases) {
        SCOPED_TRACE(definition);
        EXPECT_EQ(TamblixUpdateImpl::signatureAddress(definition), signature);
    }
}

}  // namespace
