#include <gtest/gtest.h>

#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "engine/TamblixEngineImpl.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/xml/ComInitializer.h"
#include "tests/engine/EngineHarness.h"
#include "tests/engine/FakePlugin.h"
#include "tests/engine/definitions/ProductFixture.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace {

using namespace com::quorvex::products::tamblix;
using namespace testing_support;
namespace fs = std::filesystem;

// Waits for the engine's end states.
struct StateWaiter : Observer {
    TamblixEngineImpl* engine = nullptr;
    std::mutex lock;
    std::condition_variable changed;
    void onNotify(Observable*) override {
        std::lock_guard<std::mutex> hold(lock);
        changed.notify_all();
    }
    int waitForEnd() {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] {
            const int state = engine->getState();
            return state != ENGINE_READY && state != ENGINE_UPDATING;
        });
        return engine->getState();
    }
};

// An engine in normal mode over the file services of a scratch demo prefix,
// working in a product folder whose installed files the test writes.
class EngineDefinitionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tools::writeDemoPrefix(scratch.path() / "prefix", "demo");
        files = std::make_unique<platform::prefix::PrefixFileServices>(
            platform::prefix::WinePrefix(scratch.path() / "prefix"));
        peers.services.reader = files->fileReader();
        peers.services.writer = files->fileWriter();
        peers.updater.result = TamblixUpdate::UPDATED;  // the test puts the new files in place
        engine = std::make_unique<TamblixEngineImpl>(peers.services, std::vector<std::unique_ptr<Plugin>>{},
                                                     EngineSettings{false, testKeys().publicKeyBlob});
        waiter.engine = engine.get();
        engine->addObserver(&waiter);
    }
    void TearDown() override { engine->removeObserver(&waiter); }

    // Loads a first product through streams, as start-up does.
    void loadInitialProduct() {
        const std::string definitions = definitionsDocument(productValues("Old", "1"));
        TestStreamImpl d(packed(definitions));
        TestStreamImpl s(bytesOf(signatureDocument(definitions, testKeys().privateKeyPem)));
        TestStreamImpl p(packed(definitionsDocument(productValues("Permanent"))));
        engine->loadDefinitionFiles(d, s, p);
        ASSERT_EQ(engine->getProductName(), "Old name");
    }

    using TestStreamImpl = platform::file::TestStreamImpl;
    windows::com::ComInitializer com;
    TempDir scratch;
    fs::path product = scratch.path() / "product";
    engine_testing::TestServices peers;
    std::unique_ptr<platform::prefix::PrefixFileServices> files;
    std::unique_ptr<TamblixEngineImpl> engine;
    StateWaiter waiter;
};

TEST_F(EngineDefinitionsTest, AnUpdateLoadsTheInstalledFilesThroughTheStore) {
    loadInitialProduct();
    writeProduct(product, definitionsDocument(productValues("New", "2")), definitionsDocument(productValues("P")));
    const WorkingDirectory inProduct(product);
    engine->update();
    EXPECT_EQ(waiter.waitForEnd(), ENGINE_UPDATE_FINISHED_UPDATED) << engine->getErrorMessage();
    EXPECT_EQ(engine->getProductName(), "New name");
    EXPECT_EQ(engine->getDefinitionsVersion(), 2);
}

TEST_F(EngineDefinitionsTest, InstalledFilesThatFailTheCheckEndTheUpdateAndKeepTheProduct) {
    loadInitialProduct();
    const std::string forged = definitionsDocument(productValues("Forged", "9"));
    writeProduct(product, definitionsDocument(productValues("New", "2")), definitionsDocument(productValues("P")));
    // Other definitions under the signature of the installed ones.
    const std::vector<char> forgedFile = packed(forged);
    std::ofstream(product / "system" / "definitions.xml.tam", std::ios::binary | std::ios::trunc)
        .write(forgedFile.data(), static_cast<std::streamsize>(forgedFile.size()));
    const WorkingDirectory inProduct(product);
    engine->update();
    EXPECT_EQ(waiter.waitForEnd(), ENGINE_UPDATE_FAILED);
    EXPECT_EQ(engine->getErrorMessage(),
              "Exception: The signature did not match the signed data. Public key size: " +
                  std::to_string(testKeys().publicKeyBlob.size()) + ". XML data size: " +
                  std::to_string(forged.size()) + ". Signature size: 128.");
    EXPECT_EQ(engine->getProductName(), "Old name");
    EXPECT_EQ(engine->getDefinitionsVersion(), 1);
}


// A plugin that rejects its section of the new definitions: the update fails and
// the engine keeps the product and every plugin's definitions it had.
TEST_F(EngineDefinitionsTest, NewDefinitionsThatAPluginRejectsLeaveTheOldOnes) {
    auto log = std::make_shared<engine_testing::PluginLog>();
    std::vector<std::unique_ptr<Plugin>> plugins;
    auto first = std::make_unique<engine_testing::FakePlugin>("first", log);
    auto second = std::make_unique<engine_testing::FakePlugin>("second", log);
    second->loadFailure = [](const std::string& text) {
        if (text.find("New name") != std::string::npos) throw TamblixEngineException("rejected");
    };
    plugins.push_back(std::move(first));
    plugins.push_back(std::move(second));
    engine->removeObserver(&waiter);
    engine = std::make_unique<TamblixEngineImpl>(peers.services, std::move(plugins),
                                                 EngineSettings{false, testKeys().publicKeyBlob});
    waiter.engine = engine.get();
    engine->addObserver(&waiter);
    loadInitialProduct();
    const std::string old = definitionsDocument(productValues("Old", "1"));
    const std::string permanent = definitionsDocument(productValues("Permanent"));

    writeProduct(product, definitionsDocument(productValues("New", "2")), permanent);
    const WorkingDirectory inProduct(product);
    log->calls.clear();
    engine->update();
    EXPECT_EQ(waiter.waitForEnd(), ENGINE_UPDATE_FAILED);
    EXPECT_EQ(engine->getErrorMessage(), "Exception: rejected");
    EXPECT_EQ(engine->getProductName(), "Old name");
    EXPECT_EQ(engine->getDefinitionsVersion(), 1);
    // Each plugin ends with the documents it had: cleared and loaded with them again.
    const auto calls = log->snapshot();
    ASSERT_GE(calls.size(), 6u);
    const std::vector<std::string> last(calls.end() - 6, calls.end());
    EXPECT_EQ(last, (std::vector<std::string>{"first clear", "second clear", "first load " + permanent,
                                              "second load " + permanent, "first load " + old, "second load " + old}));
}

}  // namespace
