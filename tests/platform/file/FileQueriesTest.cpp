#include <gtest/gtest.h>

#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileQueriesImpl.h"
#include "tests/platform/file/FakeFileCalls.h"
#include "tests/platform/file/PrefixFixture.h"

using namespace platform::file;
namespace winerror = platform::winerror;

namespace {

// Which platform errors mean "not there": the answers of both queries.
TEST(FileQueries, ErrorsThatMeanAbsentAnswerFalseOthersDiffer) {
    const struct {
        int error;
        bool fileExists;
        bool directoryThrows;  // else false
    } cases[] = {
        {winerror::FILE_NOT_FOUND, false, false},
        {winerror::PATH_NOT_FOUND, false, false},
        {winerror::INVALID_NAME, false, false},
        {winerror::BAD_PATHNAME, false, true},
        {winerror::ACCESS_DENIED, true, true},
        {winerror::BAD_NETPATH, true, true},
        {winerror::NOT_READY, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        file_tests::FakeFileCalls calls;
        calls.error = c.error;
        EXPECT_EQ(FileExistsQueryImpl(calls).fileExists("c:\\x"), c.fileExists);
        DirectoryExistsQueryImpl directories(calls);
        if (c.directoryThrows) {
            EXPECT_EQ(file_tests::thrownText<io::filesystem::ExistsDirException>(
                          [&] { directories.directoryExists("c:\\x"); }),
                      "An error occured when checking if the directory \" c:\\x\" exists. " + SystemErrors::map(c.error));
        } else {
            EXPECT_FALSE(directories.directoryExists("c:\\x"));
        }
    }
}

TEST(FileQueries, RemovalOfAMissingFileIsNoFailureOtherFailuresThrow) {
    file_tests::FakeFileCalls calls;
    FileRemoverImpl remover(calls);
    calls.error = winerror::FILE_NOT_FOUND;
    EXPECT_NO_THROW(remover.removeFile("c:\\gone.txt"));
    calls.error = winerror::PATH_NOT_FOUND;
    EXPECT_EQ(file_tests::thrownText<io::filesystem::RemoveFileException>([&] { remover.removeFile("c:\\a\\b.txt"); }),
              "Couldn't delete the file 'c:\\a\\b.txt' file using the 'DeleteFile' system call.\n" +
                  SystemErrors::map(winerror::PATH_NOT_FOUND));
}

class PrefixQueries : public file_tests::PrefixFixture {};

TEST_F(PrefixQueries, AnswerForFilesFoldersAndMissingEntries) {
    file("windows/notepad.exe", "n");
    const struct {
        const char* path;
        bool file;
        bool directory;
    } cases[] = {
        {"C:\\WINDOWS\\NOTEPAD.EXE", true, false},
        {"c:\\windows", false, true},
        {"c:\\Windows\\", false, true},
        {"c:\\", false, true},
        {"c:\\windows\\missing.exe", false, false},
        {"c:\\missing\\folder\\x", false, false},
        {"c:\\windows\\notepad.exe\\x", false, false},
        {"c:\\what?.exe", false, false},
        {"x:\\nodrive", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(services().fileExistsQuery().fileExists(c.path), c.file);
        EXPECT_EQ(services().directoryExistsQuery().directoryExists(c.path), c.directory);
    }
    // A network path cannot be reached on a prefix, which is no proof of absence.
    EXPECT_TRUE(services().fileExistsQuery().fileExists("\\\\server\\share\\file.txt"));
}

TEST_F(PrefixQueries, RemoveDeletesFilesAndLinksButNotFolders) {
    file("App/old.log", "x");
    file("App/target.txt", "kept");
    std::filesystem::create_symlink("target.txt", driveC / "App" / "link.txt");
    auto& remover = services().fileRemover();

    remover.removeFile("c:\\app\\OLD.LOG");
    EXPECT_FALSE(std::filesystem::exists(driveC / "App" / "old.log"));
    remover.removeFile("c:\\app\\old.log");  // already gone: no failure

    remover.removeFile("c:\\app\\link.txt");
    EXPECT_FALSE(std::filesystem::is_symlink(driveC / "App" / "link.txt"));
    EXPECT_EQ(content("App/target.txt"), "kept");

    EXPECT_EQ(file_tests::thrownText<io::filesystem::RemoveFileException>([&] { remover.removeFile("c:\\App"); }),
              "Couldn't delete the file 'c:\\App' file using the 'DeleteFile' system call.\n" +
                  SystemErrors::map(winerror::ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::is_directory(driveC / "App"));
}

}  // namespace
