// The product's engine with the plugins it makes itself: its registry scanner
// writes the undo file into the fix's log folder, at the time of the engine's clock.
#include <gtest/gtest.h>

#include "tests/engine/EngineHarness.h"
#include "tests/engine/plugins/ScannerFixture.h"

namespace {

using namespace engine_testing;
using namespace scanner_testing;

class ProductEngine : public ScannerTest {};

TEST_F(ProductEngine, TheUndoFileLiesBesideTheFixLogAndIsDatedByTheEnginesClock) {
    importMachine(keyBlock(R"(Software\\Vendor)", R"("Gone"="C:\\tools\\gone.exe")" "\n"));
    TestServices peers;
    peers.services.registry = registry;
    peers.services.fileExists = files;
    peers.services.dirExists = files;
    peers.services.driveType = files;
    TamblixEngineImpl engine(peers.services, EngineSettings{});
    ProductInformation product;
    product.productName = "Demo Cleaner";
    engine.setProductInformation(product);
    engine.loadPluginDefinitions(definitionsXml(""),
                                 definitionsXml(scanKey("HKEY_LOCAL_MACHINE", "Software\\Vendor")));
    RecordingObserver none;  // removing it waits for the worker
    engine.scan();
    engine.removeObserver(&none);
    ASSERT_EQ(engine.getScanResults().registryChanges.size(), 1u) << engine.getErrorMessage();
    engine.selectAllRegistry(true);
    engine.fix();
    engine.removeObserver(&none);
    ASSERT_EQ(engine.getState(), ENGINE_FIX_FINISHED) << engine.getErrorMessage();

    const std::string folder = "C:\\users\\tester\\Documents\\My Demo Cleaner Logs\\";
    std::vector<std::string> written;
    for (const auto& [path, content] : peers.files.files) written.push_back(path);
    EXPECT_EQ(written, (std::vector<std::string>{folder + "2007-03-05 14.07.09.txt",
                                                 folder + "undo from Mon Mar 05 14-07-09 2007.reg"}));
    // One question for the documents folder per fix.
    EXPECT_EQ(peers.files.folderQueries, std::vector<std::string>{"5 create"});
}

}  // namespace
