#include <gtest/gtest.h>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"
#include "tests/platform/file/PrefixFixture.h"

using namespace platform::file;
using file_tests::thrownText;

namespace {

class Drives : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        drive("a:", "../floppy");       // no disk: the entry leads nowhere
        drive("d:", "/media/no-disc");  // likewise
        drive("p:", "/proc");
        file("not-a-folder", "x");
        drive("f:", "../drive_c/not-a-folder");
        drive("c::", "/dev/null");      // Wine's raw device entries are no drives
    }
};

TEST_F(Drives, TheRegistrysTypesWinForDrivesThatAreThere) {
    useRegistry = true;
    registry.types = {{'a', DRIVE_REMOVABLE}, {'d', DRIVE_CDROM}, {'q', DRIVE_FIXED}};
    auto& drives = services().driveEnumerator();
    EXPECT_EQ(drives.enumerateDrives(DRIVE_FIXED), std::vector<std::string>{"c:"});
    EXPECT_EQ(drives.enumerateDrives(DRIVE_REMOVABLE), std::vector<std::string>{"a:"});
    EXPECT_EQ(drives.enumerateDrives(DRIVE_CDROM), std::vector<std::string>{"d:"});
    EXPECT_EQ(drives.enumerateDrives(DRIVE_NO_ROOT_DIR), std::vector<std::string>{"f:"});
    // A letter without an entry has no root, whatever the registry says of it.
    EXPECT_EQ(services().driveTypeQuery().getDriveType("q:\\"), DRIVE_NO_ROOT_DIR);
}

TEST_F(Drives, WithoutRegistryAnswersTheEntriesTellTheType) {
    const struct {
        const char* root;
        int type;
    } cases[] = {
        {"c:\\", DRIVE_FIXED},       {"C:", DRIVE_FIXED},          {"c:/", DRIVE_FIXED},
        {"a:\\", DRIVE_NO_ROOT_DIR}, {"d:\\", DRIVE_NO_ROOT_DIR},  {"q:\\", DRIVE_NO_ROOT_DIR},
        {"f:\\", DRIVE_NO_ROOT_DIR}, {"p:\\", DRIVE_UNKNOWN},      {"c:\\windows", DRIVE_NO_ROOT_DIR},
        {"", DRIVE_NO_ROOT_DIR},     {"1:\\", DRIVE_NO_ROOT_DIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.root);
        EXPECT_EQ(services().driveTypeQuery().getDriveType(c.root), c.type);
    }
    EXPECT_EQ(services().driveEnumerator().enumerateDrives(DRIVE_FIXED), std::vector<std::string>{"c:"});
}

TEST(DriveEnumeration, NoDrivesAtAllIsAFailure) {
    testing_support::TempDir scratch;
    std::filesystem::create_directories(scratch.path() / "empty" / "dosdevices");
    std::filesystem::create_directories(scratch.path() / "bare");
    const struct {
        const char* prefix;
        int error;
    } cases[] = {{"empty", platform::winerror::INVALID_DRIVE}, {"bare", platform::winerror::FILE_NOT_FOUND}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        platform::prefix::PrefixFileServices services(platform::prefix::WinePrefix(scratch.path() / c.prefix));
        EXPECT_EQ(thrownText<windows::file::DriveEnumeratorException>(
                      [&] { services.driveEnumerator().enumerateDrives(DRIVE_FIXED); }),
                  "Error when enumerating logical drives with 'GetLogicalDrives'. \n\n" + SystemErrors::map(c.error));
    }
}

}  // namespace
