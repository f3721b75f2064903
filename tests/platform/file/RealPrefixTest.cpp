#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file/FolderQueries.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"

using namespace platform::file;

namespace {

// A prefix that Wine itself made, and Wine's own answers as the measure.
class RealPrefix : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing_support::winePrefixAvailable()) GTEST_SKIP() << "no Wine prefix in this build";
        folder = scratch.path() / "prefix";
        testing_support::copyWinePrefix(folder);
        prefix = std::make_unique<platform::prefix::WinePrefix>(folder);
        services = std::make_unique<platform::prefix::PrefixFileServices>(*prefix);
    }

    std::string wineCurrentDirectory() {
        std::string output;
        EXPECT_EQ(testing_support::runWine(folder, "cmd /c cd", &output), 0);
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
        return output;
    }

    testing_support::TempDir scratch;
    std::filesystem::path folder;
    std::unique_ptr<platform::prefix::WinePrefix> prefix;
    std::unique_ptr<platform::prefix::PrefixFileServices> services;
};

TEST_F(RealPrefix, TheWorkingDirectoryIsTheOneWineShows) {
    for (const auto& where : {folder / "drive_c" / "windows" / "system32", scratch.path()}) {
        SCOPED_TRACE(where.string());
        testing_support::WorkingDirectory inside(where);
        std::string ours = services->currentDirectory().getCurrentDirectory();
        ours.pop_back();
        EXPECT_EQ(ours, wineCurrentDirectory());
    }
}

TEST_F(RealPrefix, WinesFilesDrivesAndFoldersAreFound) {
    EXPECT_TRUE(services->fileExistsQuery().fileExists("C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL"));
    EXPECT_FALSE(services->fileExistsQuery().fileExists("c:\\windows\\system32\\no-such.dll"));
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(getSystemDirectory(services->folders())));
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(getWindowsDirectory(services->folders())));

    const auto fixed = services->driveEnumerator().enumerateDrives(DRIVE_FIXED);
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), "c:"), fixed.end());
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), "z:"), fixed.end());

    const std::string documents = getFolderPath(services->folders(), CSIDL_PERSONAL | CSIDL_FLAG_CREATE);
    EXPECT_EQ(documents.rfind("C:\\users\\", 0), 0u) << documents;
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(documents));
}

}  // namespace
