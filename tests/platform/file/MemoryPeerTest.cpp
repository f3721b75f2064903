#include <gtest/gtest.h>

#include <ios>
#include <string>
#include <vector>

#include "platform/file/FileExceptions.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "tests/platform/file/PrefixFixture.h"

using platform::file::memory::MemoryFileSystem;

namespace {

std::vector<char> bytes(const std::string& text) { return {text.begin(), text.end()}; }
std::string text(const std::vector<char>& bytes) { return {bytes.begin(), bytes.end()}; }

// The memory peer stands in for the prefix's file services in the tests of the
// layers above: the same machine in both, and every question asked of both.
class MemoryPeer : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        file("Tools/Tool.exe", "tool program");
        folder("Tools/Empty");
        memory.addFile("C:\\Tools\\Tool.exe", "tool program");
        for (const char* path : {"C:\\", "C:\\Tools", "C:\\Tools\\Empty"}) memory.createDirectory(path);
    }

    // What reading the file gives in both, or "<none>" where it fails.
    std::pair<std::string, std::string> read(const std::string& path, std::size_t bytesToRead = 0) {
        const auto readOne = [&](platform::file::FileReader& reader) {
            try {
                return text(reader.readFile(path, bytesToRead));
            } catch (const io::filesystem::LoadFileException&) {
                return std::string("<none>");
            }
        };
        return {readOne(services().fileReader()), readOne(memory)};
    }

    MemoryFileSystem memory;
};

TEST_F(MemoryPeer, AnswersTheQuestionsAsThePrefixDoes) {
    auto& real = services();
    for (const std::string path : {"c:\\tools\\tool.exe", "C:\\TOOLS\\TOOL.EXE", "c:\\tools\\gone.exe", "c:\\tools",
                                   "c:\\Tools\\", "c:\\tools\\EMPTY", "c:\\tools\\empty\\", "c:\\", "c:\\gone"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(memory.fileExists(path), real.fileExistsQuery().fileExists(path));
        EXPECT_EQ(memory.directoryExists(path), real.directoryExistsQuery().directoryExists(path));
    }
    for (const std::string root : {"c:\\", "C:\\", "q:\\"}) {
        SCOPED_TRACE(root);
        EXPECT_EQ(memory.getDriveType(root), real.driveTypeQuery().getDriveType(root));
    }
}

TEST_F(MemoryPeer, ReadsWritesAndRemovesAsThePrefixDoes) {
    auto& real = services();
    const struct {
        const char* path;
        const char* data;
        int openMode;
    } writes[] = {
        {"c:\\tools\\new.txt", "first", 0},
        {"C:\\TOOLS\\NEW.TXT", " and more", std::ios::app},  // the same file in another letter case
        {"c:\\tools\\tool.exe", "replaced", 0},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(w.path);
        real.fileWriter().writeFile(w.path, bytes(w.data), w.openMode);
        memory.writeFile(w.path, bytes(w.data), w.openMode);
    }
    const auto expected = std::make_pair(std::string("first and more"), std::string("first and more"));
    EXPECT_EQ(read("c:\\Tools\\New.txt"), expected);
    EXPECT_EQ(read("c:\\tools\\tool.exe"), std::make_pair(std::string("replaced"), std::string("replaced")));
    EXPECT_EQ(read("c:\\tools\\new.txt", 5), std::make_pair(std::string("first"), std::string("first")));
    EXPECT_EQ(read("c:\\tools\\new.txt", 15), std::make_pair(std::string("<none>"), std::string("<none>")));
    EXPECT_EQ(memory.files.count("c:\\tools\\NEW.txt"), 1u);
    EXPECT_EQ(memory.files.find("c:\\tools\\tool.exe")->first, "C:\\Tools\\Tool.exe");  // the first spelling stays

    for (int time = 0; time < 2; ++time) {  // removing what is not there is no failure
        real.fileRemover().removeFile("C:\\tools\\NEW.TXT");
        memory.removeFile("C:\\tools\\NEW.TXT");
    }
    EXPECT_EQ(read("c:\\tools\\new.txt"), std::make_pair(std::string("<none>"), std::string("<none>")));
}

TEST_F(MemoryPeer, MakesEveryFolderOfAPathAsThePrefixDoes) {
    auto& real = services();
    real.directoryCreator().createDirectoryPath("c:\\Made\\Deeper\\Deepest\\");
    memory.createDirectoryPath("c:\\Made\\Deeper\\Deepest\\");
    for (const std::string path : {"c:\\made", "c:\\made\\deeper", "c:\\made\\deeper\\deepest", "c:\\made\\gone"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(memory.directoryExists(path), real.directoryExistsQuery().directoryExists(path));
    }

    // A folder that cannot be made fails the path, and the folders below it are not made.
    memory.uncreatable.insert("c:\\blocked");
    EXPECT_THROW(memory.createDirectoryPath("c:\\Blocked\\below"), windows::file::CouldNotCreateDirectoryException);
    EXPECT_FALSE(memory.directoryExists("c:\\blocked\\below"));
}

TEST_F(MemoryPeer, FailsOnRequestAndRecordsTheQuestions) {
    memory.failWrites = true;
    EXPECT_THROW(memory.writeFile("c:\\tools\\tool.exe", bytes("lost")), io::filesystem::SaveFileException);
    EXPECT_EQ(memory.files.at("c:\\tools\\tool.exe"), "tool program");  // the old content stays whole

    memory.undeletable.insert("c:\\tools\\tool.exe");
    EXPECT_THROW(memory.removeFile("C:\\TOOLS\\tool.exe"), io::filesystem::RemoveFileException);
    memory.failDirectoryTest("c:\\tools");
    EXPECT_THROW(memory.directoryExists("c:\\tools"), io::filesystem::ExistsDirException);

    std::string path;
    EXPECT_TRUE(memory.getFolderPath(platform::file::CSIDL_PERSONAL, true, path));
    EXPECT_EQ(path, MemoryFileSystem::DOCUMENTS);
    EXPECT_TRUE(memory.directoryExists(path));
    EXPECT_FALSE(memory.getFolderPath(0x001a, false, path));  // a shell folder it does not know
    memory.failFolderQuery = true;
    EXPECT_FALSE(memory.getFolderPath(platform::file::CSIDL_PERSONAL, false, path));
    EXPECT_EQ(memory.folderQueries, (std::vector<std::string>{"5 create", "26", "5"}));
    EXPECT_EQ(memory.directoryQuestions, (std::vector<std::string>{"c:\\tools", MemoryFileSystem::DOCUMENTS}));

    EXPECT_FALSE(memory.setCurrentDirectory("c:\\gone"));
    EXPECT_TRUE(memory.setCurrentDirectory("c:\\tools\\"));
    EXPECT_TRUE(memory.getCurrentDirectory(path));
    EXPECT_EQ(path, "c:\\tools");
}

}  // namespace
