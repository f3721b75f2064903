#include <gtest/gtest.h>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileErrorText.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/TestStreamImpl.h"
#include "tests/platform/file/PrefixFixture.h"

using namespace platform::file;
using file_tests::thrownText;
namespace winerror = platform::winerror;

namespace {

std::vector<char> bytes(const std::string& text) { return {text.begin(), text.end()}; }

class FileRead : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        file("data/empty.bin");
        file("data/three.bin", "abc");
        folder("data/folder");
    }

    std::string readerText(const std::string& message, const std::string& path, int error, const std::string& detail) {
        return message + "\nFilename: '" + path + "'\nCurrent Working Directory: " + currentDirectory() + "\n" +
               SystemErrors::map(error) + "\nC++ exception: " + detail;
    }
    std::string streamText(const std::string& message, const std::string& path, int error, const std::string& detail) {
        return message + "\nFilename: '" + path + "'.\nCurrent working directory: '" + currentDirectory() + "'.\n" +
               SystemErrors::map(error) + "\nC++ exception: '" + detail + "'.";
    }
};

TEST_F(FileRead, ReadsTheWholeFileOrItsFirstBytes) {
    const struct {
        const char* path;
        std::size_t bytesToRead;
        const char* expected;
    } cases[] = {
        {"c:\\data\\empty.bin", 0, ""},
        {"c:\\data\\three.bin", 0, "abc"},
        {"C:\\DATA\\THREE.BIN", 2, "ab"},
        {"c:\\data\\three.bin", 3, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.bytesToRead));
        EXPECT_EQ(services().fileReader().readFile(c.path, c.bytesToRead), bytes(c.expected));
    }
}

TEST_F(FileRead, RefusalsAndFailuresCarryTheFileErrorDetail) {
    auto& reader = services().fileReader();
    auto readText = [&](const std::string& path, std::size_t count) {
        return thrownText<io::filesystem::LoadFileException>([&] { reader.readFile(path, count); });
    };
    EXPECT_EQ(readText("", 0), "Cannot load file. No filename specified.");
    EXPECT_EQ(readText("c:\\data\\three.bin", 5),
              readerText("Tried to read a larger number of bytes from a file that it contained. Tried to read : 5 "
                         "File size: 3",
                         "c:\\data\\three.bin", winerror::SUCCESS, "None."));

    const std::string openFailure = "An error occurred when trying to open the file for reading.";
    const struct {
        const char* path;
        int error;
    } cases[] = {
        {"c:\\data\\missing.bin", winerror::FILE_NOT_FOUND},
        {"c:\\nowhere\\three.bin", winerror::PATH_NOT_FOUND},
        {"c:\\data\\folder", winerror::ACCESS_DENIED},
        {"c:\\data\\bad|name", winerror::INVALID_NAME},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string text = readText(c.path, 0);
        const std::string expectedStart = readerText(openFailure, c.path, c.error, "");
        EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
        EXPECT_GT(text.size(), expectedStart.size()) << "the stream library's failure text follows";
    }
}

TEST_F(FileRead, InputStreamFollowsTheSameSizeRules) {
    auto stream = services().openStream("c:\\data\\THREE.bin", std::ios::binary);
    EXPECT_EQ(stream->size(), 3);
    EXPECT_FALSE(stream->isEof());
    EXPECT_EQ(thrownText<io::file::IStreamException>([&] { stream->read(5); }),
              streamText("Tried to read a larger number of bytes from a file that it contained. Tried to read : 5 "
                         "File size: 3",
                         "c:\\data\\THREE.bin", winerror::SUCCESS, "None."));
    EXPECT_EQ(stream->read(2), bytes("ab"));
    EXPECT_EQ(stream->size(), 3);  // the position stays
    EXPECT_FALSE(stream->isEof());
    EXPECT_EQ(stream->read(1), bytes("c"));
    EXPECT_TRUE(stream->isEof());

    // Reading past the end fails as a stream failure.
    const std::string pastEnd = thrownText<io::file::IStreamException>([&] { stream->read(0); });
    const std::string expectedStart =
        streamText("An error occurred while trying to load the file.", "c:\\data\\THREE.bin", winerror::HANDLE_EOF, "");
    EXPECT_EQ(pastEnd.substr(0, expectedStart.size() - 3), expectedStart.substr(0, expectedStart.size() - 3));

    auto whole = services().openStream("c:\\data\\three.bin", std::ios::binary);
    EXPECT_EQ(whole->read(0), bytes("abc"));
    EXPECT_EQ(services().openStream("c:\\data\\empty.bin", std::ios::binary)->read(0), bytes(""));
}

TEST_F(FileRead, InputStreamThatCannotOpenThrowsAtOnce) {
    const std::string text =
        thrownText<io::file::IStreamException>([&] { services().openStream("c:\\data\\missing.bin", std::ios::binary); });
    const std::string expectedStart = streamText("An error occurred when trying to open the file for reading.",
                                                 "c:\\data\\missing.bin", winerror::FILE_NOT_FOUND, "");
    EXPECT_EQ(text.substr(0, expectedStart.size() - 3), expectedStart.substr(0, expectedStart.size() - 3));
}

TEST(TestStream, FollowsTheInputStreamContract) {
    TestStreamImpl stream(bytes("abc"));
    EXPECT_EQ(stream.size(), 3);
    EXPECT_EQ(thrownText<io::file::IStreamException>([&] { stream.read(5); }),
              "Tried to read a larger number of bytes from a file that it contained. Tried to read : 5 File size: 3");
    EXPECT_EQ(stream.read(2), bytes("ab"));
    EXPECT_FALSE(stream.isEof());
    EXPECT_EQ(thrownText<io::file::IStreamException>([&] { stream.read(2); }),
              "An error occurred while trying to load the file.");
    EXPECT_EQ(stream.read(1), bytes("c"));
    EXPECT_TRUE(stream.isEof());
    EXPECT_EQ(TestStreamImpl(bytes("xyz")).read(0), bytes("xyz"));
    EXPECT_EQ(TestStreamImpl({}).read(0), bytes(""));
}

struct BrokenCurrentDirectory : CurrentDirectory {
    void setCurrentDirectory(const std::string&) override {}
    std::string getCurrentDirectory() override {
        throw windows::file::GetCurrentDirectoryException("Couldn't get the current directory.\n\n gone");
    }
};

TEST(FileErrorText, AWorkingDirectoryThatCannotBeToldIsExplained) {
    BrokenCurrentDirectory broken;
    platform::setLastError(winerror::FILE_NOT_FOUND);
    EXPECT_EQ(fileErrorText("Message.", "c:\\f", broken, "None."),
              "Message.\nFilename: 'c:\\f'\nCurrent Working Directory: Couldn't get the current directory. Exception: "
              "Couldn't get the current directory.\n\n gone\n" +
                  SystemErrors::map(winerror::FILE_NOT_FOUND) + "\nC++ exception: None.");
}

}  // namespace
