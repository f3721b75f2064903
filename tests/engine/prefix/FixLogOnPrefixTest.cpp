#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"

using namespace engine_testing;
namespace fs = std::filesystem;

namespace {

// A small prefix of our own: drive c: and one user, whose documents folder the
// log goes to.
class FixLogOnPrefix : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    testing_support::TempDir prefixFolder;
    std::unique_ptr<platform::prefix::PrefixFileServices> files;

    void SetUp() override {
        fs::create_directories(prefixFolder.path() / "dosdevices");
        fs::create_directories(prefixFolder.path() / "drive_c" / "users" / "tester");
        fs::create_directory_symlink("../drive_c", prefixFolder.path() / "dosdevices" / "c:");
        prefixFolder.write("drive_c/junk/bad.exe", "MZ");
        files = std::make_unique<platform::prefix::PrefixFileServices>(
            platform::prefix::WinePrefix(prefixFolder.path()));
    }

    std::unique_ptr<EngineHarness> fixWithProductName(const std::string& name) {
        auto h = std::make_unique<EngineHarness>(std::vector<std::string>{"first"}, [&](EngineServices& services) {
            services.writer = files->fileWriter();
            services.remover = files->fileRemover();
            services.dirCreator = files->directoryCreator();
            services.folders = files->folders();
        });
        ProductInformation product;
        product.productName = name;
        product.productVersion = "1";
        h->engine->setProductInformation(product);
        h->plugin(0).findings = [](ScanResults& results) {
            FileModification record;
            record.path = "C:\\junk\\bad.exe";
            record.state.selected = true;
            results.fileChanges.push_back(record);
        };
        h->engine->scan();
        h->waitForWorker();
        h->engine->fix();
        h->waitForWorker();
        return h;
    }

    fs::path documents() const { return prefixFolder.path() / "drive_c" / "users" / "tester" / "Documents"; }
};

TEST_F(FixLogOnPrefix, TheLogIsWrittenIntoTheProductsFolderOfTheUsersDocuments) {
    auto h = fixWithProductName("Demo Cleaner");
    ASSERT_EQ(h->engine->getState(), ENGINE_FIX_FINISHED) << h->engine->getErrorMessage();
    const fs::path log = documents() / "My Demo Cleaner Logs" / "2007-03-05 14.07.09.txt";
    ASSERT_TRUE(fs::exists(log));
    EXPECT_EQ(h->engine->getLogFilePath(),
              "C:\\users\\tester\\Documents\\My Demo Cleaner Logs\\2007-03-05 14.07.09.txt");
    const std::string text = testing_support::readFile(log);
    EXPECT_EQ(text.rfind("Demo Cleaner v1 log\n", 0), 0u);
    EXPECT_NE(text.find("File system modifications\n-------------------------\nRemoved C:\\junk\\bad.exe\n\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(prefixFolder.path() / "drive_c" / "junk" / "bad.exe"));
}

TEST_F(FixLogOnPrefix, AProductNameThatCannotNameAFolderEndsTheFixWithNothingChanged) {
    auto h = fixWithProductName("Demo <Pro>");
    EXPECT_EQ(h->engine->getState(), ENGINE_FIX_FAILED);
    const std::string start = "IOException: Could not create the directory: '";
    const std::string message = h->engine->getErrorMessage();
    EXPECT_EQ(message.rfind(start, 0), 0u) << message;
    EXPECT_NE(message.find("\\Documents\\My Demo <Pro> Logs'. System error message: "), std::string::npos) << message;
    EXPECT_TRUE(fs::exists(prefixFolder.path() / "drive_c" / "junk" / "bad.exe"));
    EXPECT_FALSE(h->engine->getScanResults().fileChanges[0].state.applied);
    EXPECT_EQ(h->engine->getLogFilePath(), "");
}

}  // namespace
