// The product's engine with the plugins it makes itself: its registry scanner
// writes the undo file into the fix's log folder, at the time of the engine's clock.
#include <gtest/gtest.h>

#include "tests/engine/EngineHarness.h"
#include "tests/engine/plugins/ScannerFixture.h"

namespace {

using namespace engine_testing;
using namespace scanner_testing;

class ProductEngine : public ScannerTest {
protected:
    TestServices peers;
    RecordingObserver none;  // removing it waits for the worker

    void SetUp() override {
        importMachine(keyBlock(R"(Software\\Vendor)", R"("Gone"="C:\\tools\\gone.exe")" "\n"));
        peers.services.registry = registry;
        peers.services.fileExists = files;
        peers.services.dirExists = files;
        peers.services.driveType = files;
    }

    // Scans with the product's own plugins, ticks every registry suggestion and fixes.
    std::unique_ptr<TamblixEngineImpl> fixEverything() {
        auto engine = std::make_unique<TamblixEngineImpl>(peers.services, EngineSettings{});
        ProductInformation product;
        product.productName = "Demo Cleaner";
        engine->setProductInformation(product);
        engine->loadPluginDefinitions(definitionsXml(""),
                                      definitionsXml(scanKey("HKEY_LOCAL_MACHINE", "Software\\Vendor")));
        engine->scan();
        engine->removeObserver(&none);
        EXPECT_EQ(engine->getScanResults().registryChanges.size(), 1u) << engine->getErrorMessage();
        engine->selectAllRegistry(true);
        engine->fix();
        engine->removeObserver(&none);
        return engine;
    }

    bool valueIsThere() {
        return registry.exportHive(windows::registry::tree::HiveId::MACHINE).find("\"Gone\"=") != std::string::npos;
    }
};

TEST_F(ProductEngine, TheUndoFileLiesBesideTheFixLogAndIsDatedByTheEnginesClock) {
    const auto engine = fixEverything();
    ASSERT_EQ(engine->getState(), ENGINE_FIX_FINISHED) << engine->getErrorMessage();

    const std::string folder = "C:\\users\\tester\\Documents\\My Demo Cleaner Logs\\";
    std::vector<std::string> written;
    for (const auto& [path, content] : peers.files.files) written.push_back(path);
    EXPECT_EQ(written, (std::vector<std::string>{folder + "2007-03-05 14.07.09.txt",
                                                 folder + "undo from Mon Mar 05 14-07-09 2007.reg"}));
    // One question for the documents folder per fix.
    EXPECT_EQ(peers.files.folderQueries, std::vector<std::string>{"5 create"});
}

// Writes through to the memory files, noting how often the registry had been
// stored when each undo file was written.
struct UndoWatch : platform::file::FileWriter {
    platform::file::FileWriter& files;
    windows::registry::memory::MemoryRegistryService& registry;
    std::vector<std::pair<int, std::string>> undoWrites;

    UndoWatch(platform::file::FileWriter& f, windows::registry::memory::MemoryRegistryService& r)
        : files(f), registry(r) {}
    void writeFile(const std::string& path, const std::vector<char>& bytes, int openMode) override {
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".reg") == 0)
            undoWrites.emplace_back(registry.commits(windows::registry::tree::HiveId::MACHINE), path);
        files.writeFile(path, bytes, openMode);
    }
};

TEST_F(ProductEngine, TheUndoFileIsOnDiskBeforeTheFirstValueIsRemoved) {
    UndoWatch watch(peers.files, registry);
    peers.services.writer = watch;
    const auto engine = fixEverything();
    ASSERT_EQ(engine->getState(), ENGINE_FIX_FINISHED) << engine->getErrorMessage();
    EXPECT_FALSE(valueIsThere());
    // Written once before the registry was changed, then again under the same name.
    ASSERT_EQ(watch.undoWrites.size(), 2u);
    EXPECT_EQ(watch.undoWrites[0].first, 0);
    EXPECT_EQ(watch.undoWrites[0].second, watch.undoWrites[1].second);
}

TEST_F(ProductEngine, AnUndoFileThatCannotBeWrittenRemovesNothing) {
    peers.files.failWrites = true;
    const auto engine = fixEverything();
    EXPECT_EQ(engine->getState(), ENGINE_FIX_FAILED);
    EXPECT_NE(engine->getErrorMessage().find(
                  "No registry value was removed: the undo file that brings them back could not be written."),
              std::string::npos)
        << engine->getErrorMessage();
    EXPECT_TRUE(valueIsThere());
    EXPECT_FALSE(engine->getScanResults().registryChanges[0].state.applied);
}

TEST_F(ProductEngine, ARegistryThatCannotBeStoredLeavesTheRecordUnappliedWithItsProblem) {
    registry.setStoreFails(true);
    const auto fixed = fixEverything();
    ASSERT_EQ(fixed->getState(), ENGINE_FIX_FINISHED) << fixed->getErrorMessage();
    const RegistryModification& record = fixed->getScanResults().registryChanges[0];
    EXPECT_FALSE(record.state.applied);
    ASSERT_EQ(fixed->getFixProblems().size(), 1u);
    EXPECT_EQ(fixed->getFixProblems()[0].rfind("Error when writing the registry file 'memory'.", 0), 0u)
        << fixed->getFixProblems()[0];
    registry.setStoreFails(false);
    EXPECT_TRUE(valueIsThere());
    // The log does not claim the removal.
    const std::string log = peers.files.files.at(fixed->getLogFilePath());
    EXPECT_EQ(log.find("Removed registry value"), std::string::npos);
}

}  // namespace
