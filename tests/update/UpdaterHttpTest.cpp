// The updater against a real HTTP server on 127.0.0.1 through the libcurl
// sessions: the servers an update must survive, each leaving the installed pair.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/file/memory/MemoryFileSystem.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/update/UpdateFixture.h"
#include "update/TamblixUpdateImpl.h"
#include "update/compression/ContainerSizeField.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/install/DefinitionsInstall.h"
#include "update/session/prefix/InternetSessionFactoryImpl.h"
#include "update/signature/MsCheckSignature.h"

namespace {

using namespace com::quorvex::products::tamblix;
using namespace update_testing;

struct Outcome {
    int result = -1;
    std::string failure;
};

class UpdaterOverHttp : public testing::Test {
protected:
    void SetUp() override {
        files.addFile(install::INSTALLED_DEFINITIONS, "old definitions");
        files.addFile(install::INSTALLED_SIGNATURE, "old signature");
    }

    Outcome run() {
        Outcome outcome;
        try {
            outcome.result = updater.update(server.url("/update.xml"), 5, files, uncompressor, publicKey());
        } catch (const exceptions::Exception& e) {
            outcome.failure = e.getMessage();
        }
        return outcome;
    }

    // The description names these mirrors (paths on the server, or full addresses).
    void describe(const std::vector<std::string>& mirrors, const std::string& counter = "6") {
        std::vector<std::string> urls;
        for (const std::string& mirror : mirrors) urls.push_back(mirror[0] == '/' ? server.url(mirror) : mirror);
        server.serve("/update.xml", descriptionText(counter, {{"tamblix-definition", "100", urls}}));
    }

    void publish(const std::string& folder, const Edition& edition) {
        server.serve(folder + "/definitions.xml.tam", textOf(edition.container));
        server.serve(folder + "/definitions-sig.xml", textOf(edition.signature));
    }

    bool installedPairUntouched() {
        return files.files[install::INSTALLED_DEFINITIONS] == "old definitions" &&
               files.files[install::INSTALLED_SIGNATURE] == "old signature" && files.files.size() == 2;
    }

    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    testing_support::LoopbackHttpServer server;
    platform::file::memory::MemoryFileSystem files;
    windows::internet::prefix::InternetSessionFactoryImpl sessions;
    encryption::pki::MsCheckSignature checker;
    compression::ZlibUncompressionStream uncompressor;
    TamblixUpdateImpl updater{sessions, files, checker};
};

TEST_F(UpdaterOverHttp, InstallsFromTheThirdMirrorWhenTwoFail) {
    const Edition edition = signedEdition(6);
    const std::string closed = "http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort()) +
                               "/a/definitions.xml.tam";
    server.breakOff("/b/definitions.xml.tam", 100000, 3000);
    publish("/c", edition);
    describe({closed, "/b/definitions.xml.tam", "/c/definitions.xml.tam"});
    const Outcome outcome = run();
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.result, TamblixUpdate::UPDATED);
    EXPECT_EQ(files.files[install::INSTALLED_DEFINITIONS], textOf(edition.container));
    EXPECT_EQ(files.files[install::INSTALLED_SIGNATURE], textOf(edition.signature));
    EXPECT_EQ(files.files.size(), 2u);
}

TEST_F(UpdaterOverHttp, HostileServersLeaveTheInstalledPair) {
    const Edition good = signedEdition(6);
    Edition hugeField = good;
    compression::writeSizeField(0xFFFFFFFFu, hugeField.container.data());
    Edition truncated = good;
    truncated.container.resize(truncated.container.size() - 10);
    struct Case {
        const char* name;
        std::function<void()> serve;
        int result;
        std::string failureStart;
    };
    const std::vector<Case> cases = {
        {"equal counter", [&] { describe({"/a/definitions.xml.tam"}, "5"); }, TamblixUpdate::NOT_UPDATED, ""},
        {"a 404 page", [&] { server.serve("/update.xml", "<html>Not Found</html>", 404, "text/html"); }, -1,
         "Problems with the update definition file downloaded from " + server.url("/update.xml")},
        {"an endless description", [&] { server.endless("/update.xml"); }, -1, "Error updating the database.\n"},
        {"a description redirected to a local file",
         [&] { server.redirect("/update.xml", "file:///etc/passwd"); }, -1, "Error updating the database.\n"},
        {"a mirror redirected to a local file",
         [&] {
             describe({"/a/definitions.xml.tam"});
             server.redirect("/a/definitions.xml.tam", "file:///etc/passwd");
         },
         -1, "Could not update the definition file. Error log:\n"},
        {"an endless definition",
         [&] {
             describe({"/a/definitions.xml.tam"});
             server.endless("/a/definitions.xml.tam");
         },
         -1, "Could not update the definition file. Error log:\n"},
        {"a server dying in the middle of the signature",
         [&] {
             describe({"/a/definitions.xml.tam"});
             publish("/a", good);
             server.breakOff("/a/definitions-sig.xml", 5000, 100);
         },
         -1, "Could not update the definition file. Error log:\n"},
        {"a signature by another key",
         [&] {
             describe({"/a/definitions.xml.tam"});
             publish("/a", signedEdition(definitionsText(6), strangerKey()));
         },
         -1, "The signature did not match the definition file. \n"},
        {"an own counter not above the installed one",
         [&] {
             describe({"/a/definitions.xml.tam"});
             publish("/a", signedEdition(5));
         },
         -1, "Problems updating. The downloaded definition has an update number smaller or equal to the current.\n"},
        {"a size field of 4 GB",
         [&] {
             describe({"/a/definitions.xml.tam"});
             publish("/a", hugeField);
         },
         -1, "Error updating database. Problems uncompressing the downloaded definition file.\n"},
        {"a truncated container",
         [&] {
             describe({"/a/definitions.xml.tam"});
             publish("/a", truncated);
         },
         -1, "Error updating database. Problems uncompressing the downloaded definition file.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.serve();
        const Outcome outcome = run();
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.failure.rfind(c.failureStart, 0), 0u) << outcome.failure;
        EXPECT_TRUE(installedPairUntouched());
    }
}

// A server that accepts and never answers, at each download of a run: a cancel
// ends the run at once, as cancelled, with nothing saved.
TEST_F(UpdaterOverHttp, ACancelEndsADownloadFromAServerThatNeverAnswers) {
    for (const std::string held : {"/update.xml", "/a/definitions.xml.tam", "/a/definitions-sig.xml"}) {
        SCOPED_TRACE(held);
        testing_support::LoopbackHttpServer fresh;
        const auto url = [&](const std::string& path) { return fresh.url(path); };
        const Edition edition = signedEdition(6);
        fresh.serve("/update.xml",
                    descriptionText("6", {{"tamblix-definition", "100", {url("/a/definitions.xml.tam")}}}));
        fresh.serve("/a/definitions.xml.tam", textOf(edition.container));
        fresh.serve("/a/definitions-sig.xml", textOf(edition.signature));
        fresh.hold(held);
        Outcome outcome;
        std::thread worker([&] {
            try {
                outcome.result = updater.update(url("/update.xml"), 5, files, uncompressor, publicKey());
            } catch (const exceptions::Exception& e) {
                outcome.failure = e.getMessage();
            }
        });
        ASSERT_TRUE(fresh.waitForRequest(held));
        updater.cancel();
        worker.join();
        EXPECT_EQ(outcome.failure, "");
        EXPECT_EQ(outcome.result, TamblixUpdate::CANCELLED);
        EXPECT_TRUE(installedPairUntouched());
    }
}

}  // namespace
