#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "tests/platform/registry/PrefixFixture.h"

namespace registry_test {
namespace {

using windows::registry::prefix::WineServerLock;

std::string serverFolderOf(const std::filesystem::path& prefix) {
    struct stat status {};
    ::stat(prefix.c_str(), &status);
    char name[64];
    std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(status.st_dev),
                  static_cast<unsigned long long>(status.st_ino));
    return name;
}

class WineServer : public ScratchPrefix {};

TEST_F(WineServer, IsRecognisedByTheWriteLockOnItsLockFile) {
    const auto lock = serverLock();
    const auto file = lock.lockFiles(prefix).front();
    EXPECT_EQ(file, scratch.path() / "wine-user" / serverFolderOf(prefix) / "lock");
    EXPECT_FALSE(lock.isHeld(prefix)) << "no server folder";
    std::filesystem::create_directories(file.parent_path());
    scratch.write("wine-user/" + serverFolderOf(prefix) + "/lock", "");
    EXPECT_FALSE(lock.isHeld(prefix)) << "a lock file that nobody holds";
    {
        HeldServerLock held(file);
        EXPECT_TRUE(lock.isHeld(prefix));
    }
    EXPECT_FALSE(lock.isHeld(prefix)) << "the server ended";
}

TEST_F(WineServer, FolderNamesFromThePrefixMayNotLeadElsewhere) {
    for (const char* name : {"", "..", "../wine-user", "a/b", "."}) {
        SCOPED_TRACE(name);
        writeFile("wineserver", name);
        EXPECT_EQ(serverLock().lockFiles(prefix).size(), 1u);
    }
    writeFile("wineserver", "wine-x1Y2z3\n");
    const auto files = serverLock().lockFiles(prefix);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1], scratch.path() / "tmp" / "wine-x1Y2z3" / serverFolderOf(prefix) / "lock");
}

TEST(WineServerPlaces, AreThoseWineUses) {
    testing_support::TempDir prefix;
    const auto files = WineServerLock().lockFiles(prefix.path());
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front(), std::filesystem::path("/tmp/.wine-" + std::to_string(::getuid())) /
                                 serverFolderOf(prefix.path()) / "lock");
}

}  // namespace
}  // namespace registry_test
