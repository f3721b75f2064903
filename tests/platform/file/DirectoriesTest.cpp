#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/failure/SystemErrors.h"
#include "platform/file/DirectoryCreatorImpl.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FolderQueries.h"
#include "tests/platform/file/FakeFileCalls.h"
#include "tests/platform/file/PrefixFixture.h"

using namespace platform::file;
using file_tests::thrownText;
namespace winerror = platform::winerror;

namespace {

class Directories : public file_tests::PrefixFixture {};

TEST_F(Directories, CreateDirectoryTakesAnExistingEntryAsDone) {
    file("taken.txt", "x");
    auto& creator = services().directoryCreator();
    creator.createDirectory("c:\\New");
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "New"));
    EXPECT_NO_THROW(creator.createDirectory("C:\\NEW"));
    EXPECT_NO_THROW(creator.createDirectory("c:\\taken.txt"));
    EXPECT_EQ(thrownText<windows::file::CouldNotCreateDirectoryException>(
                  [&] { creator.createDirectory("c:\\no\\x"); }),
              "Could not create the directory: 'c:\\no\\x'. " + SystemErrors::map(winerror::PATH_NOT_FOUND));
}

TEST_F(Directories, CreateDirectoryPathMakesEveryMissingPieceAndReusesExistingOnes) {
    folder("users");
    auto& creator = services().directoryCreator();
    creator.createDirectoryPath("c:\\Users\\Alice\\My App Logs\\");
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "users" / "Alice" / "My App Logs"));
    EXPECT_FALSE(std::filesystem::exists(driveC / "Users"));

    testing_support::WorkingDirectory inside(folder("users/Alice"));
    creator.createDirectoryPath("\\top\\inner");  // from the root of the working directory's drive
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "top" / "inner"));
    creator.createDirectoryPath("relative\\more");
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "users" / "Alice" / "relative" / "more"));
}

TEST(DirectoryCreator, PiecesAreBuiltFromTheStartOfThePath) {
    const struct {
        const char* path;
        std::vector<std::string> created;
    } cases[] = {
        {"c:\\a\\\\b\\", {"c:", "c:\\a", "c:\\a\\b"}},
        {"c:/a/b", {"c:", "c:\\a", "c:\\a\\b"}},
        {"\\a\\b", {"\\a", "\\a\\b"}},
        {"\\\\server\\share\\d", {"\\\\server\\share", "\\\\server\\share\\d"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        file_tests::FakeFileCalls calls;
        calls.error = winerror::ALREADY_EXISTS;
        DirectoryCreatorImpl(calls).createDirectoryPath(c.path);
        EXPECT_EQ(calls.calls, c.created);
    }
}

TEST_F(Directories, CurrentDirectoryRoundTrips) {
    drive("z:", "/");
    folder("App/sub");
    file("App/file.txt", "x");
    testing_support::WorkingDirectory restore(std::filesystem::current_path());
    auto& current = services().currentDirectory();
    const struct {
        const char* set;
        const char* expected;
    } cases[] = {
        {"C:\\APP\\", "C:\\App\\"},
        {".\\SUB", "C:\\App\\sub\\"},
        {"..\\..", "C:\\"},  // a root keeps its one backslash
        {"c:app", "C:\\App\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        current.setCurrentDirectory(c.set);
        EXPECT_EQ(current.getCurrentDirectory(), c.expected);
    }
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(driveC / "App"));

    // Outside drive_c the longest drive target that holds the folder is z:'s.
    const auto outside = std::filesystem::canonical(scratch.path());
    std::filesystem::current_path(outside);
    std::string expected = "Z:";
    for (const auto& name : outside.relative_path()) expected += "\\" + name.string();
    EXPECT_EQ(current.getCurrentDirectory(), expected + "\\");
    current.setCurrentDirectory(expected + "\\prefix\\drive_c\\App");
    EXPECT_EQ(current.getCurrentDirectory(), "C:\\App\\");

    const struct {
        const char* set;
        int error;
    } failures[] = {{"c:\\missing", winerror::FILE_NOT_FOUND},
                    {"c:\\missing\\deeper", winerror::PATH_NOT_FOUND},
                    {"c:\\App\\file.txt", winerror::DIRECTORY}};
    for (const auto& f : failures) {
        SCOPED_TRACE(f.set);
        EXPECT_EQ(thrownText<windows::file::SetCurrentDirectoryException>([&] { current.setCurrentDirectory(f.set); }),
                  std::string("Could not set the directory, ") + f.set + ", to the current directory.\n\n" +
                      SystemErrors::map(f.error));
    }
    EXPECT_EQ(current.getCurrentDirectory(), "C:\\App\\");
}

TEST_F(Directories, AFolderThatNoDriveMapsHasWinesUnixForm) {
    testing_support::WorkingDirectory inside(scratch.path());
    std::string expected = "\\\\?\\unix";
    for (const auto& name : std::filesystem::canonical(scratch.path()).relative_path()) expected += "\\" + name.string();
    EXPECT_EQ(currentDirectory(), expected + "\\");
    EXPECT_TRUE(services().directoryExistsQuery().directoryExists(".\\prefix\\DRIVE_C"));
    EXPECT_TRUE(services().directoryExistsQuery().directoryExists(expected + "\\prefix"));
}

TEST_F(Directories, SystemFoldersAreWines) {
    EXPECT_EQ(getSystemDirectory(services().folders()), "C:\\windows\\system32\\");
    EXPECT_EQ(getWindowsDirectory(services().folders()), "C:\\windows\\");
}

class DocumentsFolder : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        const char* user = std::getenv("USER");
        _user = user ? std::optional<std::string>(user) : std::nullopt;
    }
    void TearDown() override {
        if (_user) ::setenv("USER", _user->c_str(), 1);
        else ::unsetenv("USER");
    }
    std::string documents(int id) { return getFolderPath(services().folders(), id); }

private:
    std::optional<std::string> _user;
};

TEST_F(DocumentsFolder, IsTheRegistrysFolderWhenItNamesOne) {
    folder("users/Alice/Documents");
    useRegistry = true;
    registry.documents = "c:\\USERS\\alice\\documents";
    EXPECT_EQ(documents(CSIDL_PERSONAL), "C:\\users\\Alice\\Documents");
}

TEST_F(DocumentsFolder, IsTheUsersFolderInDriveC) {
    folder("users/Public");
    folder("users/bob/Documents");
    folder("users/carol");
    ::setenv("USER", "bob", 1);
    EXPECT_EQ(documents(CSIDL_PERSONAL), "C:\\users\\bob\\Documents");

    // Without a folder of $USER, the one profile folder but Public is the user's.
    std::filesystem::remove_all(driveC / "users" / "bob");
    ::setenv("USER", "nobody-here", 1);
    EXPECT_EQ(documents(CSIDL_PERSONAL), "C:\\users\\carol\\Documents");
    EXPECT_FALSE(std::filesystem::exists(driveC / "users" / "carol" / "Documents")) << "5 creates nothing";
    EXPECT_EQ(documents(CSIDL_PERSONAL | CSIDL_FLAG_CREATE), "C:\\users\\carol\\Documents");
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "users" / "carol" / "Documents"));

    // With two candidates $USER decides, and 0x8005 makes its profile.
    folder("users/dave");
    EXPECT_EQ(documents(0x8005), "C:\\users\\nobody-here\\Documents");
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "users" / "nobody-here" / "Documents"));
}

TEST_F(DocumentsFolder, OtherFoldersAreRefused) {
    EXPECT_EQ(thrownText<windows::info::GetFolderPathException>([&] { documents(0x1a); }),
              "Error when getting a folder path.\nFolder path id: 26\n" + SystemErrors::map(winerror::INVALID_PARAMETER));
}

}  // namespace
