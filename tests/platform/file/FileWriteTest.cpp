#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/prefix/PrefixFileCalls.h"
#include "tests/platform/file/PrefixFixture.h"

using file_tests::thrownText;
namespace winerror = platform::winerror;

namespace {

std::vector<char> bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class FileWrite : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        file("etc/Hosts", "old content");
        ::chmod((driveC / "etc" / "Hosts").c_str(), 0640);
    }

    std::string startOf(const std::string& message, const std::string& path, int error) {
        return message + "\nFilename: '" + path + "'\nCurrent Working Directory: " + currentDirectory() + "\n" +
               SystemErrors::map(error) + "\nC++ exception: ";
    }
};

TEST_F(FileWrite, ReplacesAppendsAndCreatesFiles) {
    auto& writer = services().fileWriter();
    const struct {
        const char* path;
        const char* data;
        int openMode;
        const char* file;
        const char* expected;
    } cases[] = {
        {"c:\\etc\\HOSTS", "new", 0, "etc/Hosts", "new"},
        {"c:\\etc\\hosts", " and more", std::ios::app, "etc/Hosts", "new and more"},
        {"c:\\etc\\hosts", "", 0, "etc/Hosts", ""},  // no bytes empty the file
        {"c:\\etc\\NewFile.txt", "", 0, "etc/NewFile.txt", ""},
        {"c:\\etc\\appended.txt", "first", std::ios::app, "etc/appended.txt", "first"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        writer.writeFile(c.path, bytes(c.data), c.openMode);
        EXPECT_EQ(content(c.file), c.expected);
    }
    EXPECT_EQ(namesIn(driveC / "etc"), (std::vector<std::string>{"Hosts", "NewFile.txt", "appended.txt"}));
    struct stat info;
    ASSERT_EQ(::stat((driveC / "etc" / "Hosts").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u) << "the new content keeps the file's permissions";
}

// A symbolic link stays and the file it ends at is replaced; a hard-linked file
// is written in place, so that its other name shows the new content too.
TEST_F(FileWrite, LinkedFilesKeepTheirLinks) {
    const struct {
        const char* label;
        void (*link)(const std::filesystem::path& real, const std::filesystem::path& name);
        bool sameInode;  // a hard-linked file is written in place
    } cases[] = {
        {"symbolic link", [](const auto&, const auto& name) { std::filesystem::create_symlink("../real/hosts.txt", name); },
         false},
        {"hard link", [](const auto& real, const auto& name) { std::filesystem::create_hard_link(real, name); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto real = file("real/hosts.txt", "old");
        const auto name = driveC / "etc" / "hosts.lnk";
        c.link(real, name);
        struct stat before {};
        ::stat(real.c_str(), &before);
        services().fileWriter().writeFile("c:\\etc\\hosts.lnk", bytes("new"));
        struct stat after {};
        ::stat(real.c_str(), &after);
        EXPECT_EQ(std::filesystem::is_symlink(name), !c.sameInode);
        EXPECT_EQ(content("real/hosts.txt"), "new");
        EXPECT_EQ(content("etc/hosts.lnk"), "new");
        EXPECT_EQ(after.st_ino == before.st_ino, c.sameInode);
        EXPECT_EQ(namesIn(driveC / "real"), std::vector<std::string>{"hosts.txt"});
        EXPECT_EQ(namesIn(driveC / "etc"), (std::vector<std::string>{"Hosts", "hosts.lnk"}));
        std::filesystem::remove(name);
    }
}

TEST_F(FileWrite, AFileThatCannotBeOpenedIsLeftAsItWas) {
    auto& writer = services().fileWriter();
    EXPECT_EQ(thrownText<io::filesystem::SaveFileException>([&] { writer.writeFile("", bytes("x")); }),
              "Cannot open file. No filename specified.");
    const std::string openFailure = "An error occurred when trying to open the file for writing.";
    const struct {
        const char* path;
        int error;
    } cases[] = {
        {"c:\\nowhere\\hosts", winerror::PATH_NOT_FOUND},
        {"c:\\etc", winerror::ACCESS_DENIED},
        {"c:\\etc\\ho*sts", winerror::INVALID_NAME},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string text =
            thrownText<io::filesystem::SaveFileException>([&] { writer.writeFile(c.path, bytes("x")); });
        const std::string start = startOf(openFailure, c.path, c.error);
        EXPECT_EQ(text.substr(0, start.size()), start);
        EXPECT_GT(text.size(), start.size());
    }
    EXPECT_EQ(content("etc/Hosts"), "old content");
    EXPECT_EQ(namesIn(driveC / "etc"), std::vector<std::string>{"Hosts"});
}

// The write runs in a child whose files may not grow past 64 KiB, so it fails
// half-way as on a full disk; the child reports by its exit code. A file with a
// second name, written in place, must come out as whole as one that is renamed over.
TEST_F(FileWrite, AWriteThatFailsHalfWayLeavesTheOldContentAndNoTemporaryFile) {
    auto& writer = services().fileWriter();
    const std::string expectedStart =
        startOf("An error occurred when trying to write the file.", "c:\\etc\\hosts", winerror::DISK_FULL);
    const std::vector<char> large(1 << 20, 'x');
    for (const bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "hard-linked" : "single name");
        if (hardLinked) std::filesystem::create_hard_link(driveC / "etc" / "Hosts", driveC / "etc" / "second");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit{65536, 65536};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            int code = 1;
            try {
                writer.writeFile("c:\\etc\\hosts", large);
            } catch (const io::filesystem::SaveFileException& e) {
                code = e.getMessage().compare(0, expectedStart.size(), expectedStart) == 0 ? 0 : 2;
            } catch (...) {
                code = 3;
            }
            ::_exit(code);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no failure, 2: another text, 3: another exception";
        EXPECT_EQ(content("etc/Hosts"), "old content");
        const auto names = hardLinked ? std::vector<std::string>{"Hosts", "second"} : std::vector<std::string>{"Hosts"};
        EXPECT_EQ(namesIn(driveC / "etc"), names);
    }
}

// The last step fails when the target turned into a folder meanwhile: the
// temporary file goes, the folder stays as it is.
TEST_F(FileWrite, AReplacementThatCannotTakeThePlaceOfTheFileLeavesNoTrace) {
    const platform::prefix::PathResolver resolver(prefix());
    platform::prefix::PrefixFileCalls calls(resolver);
    {
        auto replacement = calls.replaceFile("c:\\etc\\hosts", std::ios::out | std::ios::binary);
        replacement->write("new", 3);
        std::filesystem::remove(driveC / "etc" / "Hosts");
        file("etc/Hosts/inside.txt", "kept");
        EXPECT_THROW(replacement->commit(), std::ios_base::failure);
        EXPECT_NE(platform::getLastError(), winerror::SUCCESS);
    }
    EXPECT_EQ(namesIn(driveC / "etc"), std::vector<std::string>{"Hosts"});
    EXPECT_EQ(content("etc/Hosts/inside.txt"), "kept");
}

}  // namespace
