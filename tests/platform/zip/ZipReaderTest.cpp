// The zip reader over archives that Python's zipfile wrote into a prefix's c:.

#include <gtest/gtest.h>

#include "platform/zip/FileArchiveSource.h"
#include "platform/zip/ZipReaderImpl.h"
#include "tests/platform/file/PrefixFixture.h"
#include "tests/platform/zip/ZipMaker.h"

namespace zip_tests {

using com::quorvex::products::tamblix::FileArchiveSource;
using com::quorvex::products::tamblix::ZipEntry;
using com::quorvex::products::tamblix::ZipMemberVisitor;
using com::quorvex::products::tamblix::ZipReaderException;
using com::quorvex::products::tamblix::ZipReaderImpl;
using file_tests::thrownText;

// What one walk over an archive told: each member read or failed, in order.
struct Told : ZipMemberVisitor {
    std::vector<std::string> lines;
    bool wants(const ZipEntry& entry) override {
        lines.push_back("member " + entry.name + " " + std::to_string(entry.uncompressedSize));
        return true;
    }
    void read(const ZipEntry& entry, const char* bytes, std::size_t size) override {
        lines.push_back("read " + entry.name + " '" + std::string(bytes, size) + "'");
    }
    void failed(const ZipEntry& entry, const ZipReaderException& failure) override {
        lines.push_back("failed " + entry.name + ": " + failure.getMessage());
    }
};

class ZipReaderTest : public file_tests::PrefixFixture {
protected:
    // An archive at c:\a.zip.
    void archive(const std::string& members, const std::string& damage = "") {
        folder("");
        makeZip(driveC / "a.zip", "[" + members + "]", damage);
    }
    std::vector<std::string> walk(const std::string& path = "c:\\a.zip") {
        Told told;
        reader().readMembers(path, told);
        return told.lines;
    }
    ZipReaderImpl& reader() {
        if (!_reader) {
            _source = std::make_unique<FileArchiveSource>(services().fileCalls());
            _reader = std::make_unique<ZipReaderImpl>(*_source);
        }
        return *_reader;
    }

private:
    std::unique_ptr<FileArchiveSource> _source;
    std::unique_ptr<ZipReaderImpl> _reader;
};

TEST_F(ZipReaderTest, ListsEveryMemberInCentralDirectoryOrder) {
    archive(member("b.txt", "bee", "deflated") + ", " + member("dir", "", "stored", "\"directory\": true") + ", " +
            member("dir/empty", "") + ", " + member("a.txt", std::string(1000, 'a'), "stored"));
    const std::vector<ZipEntry> expected{{"b.txt", 3}, {"dir/", 0}, {"dir/empty", 0}, {"a.txt", 1000}};
    EXPECT_EQ(reader().getFileInfo("c:\\a.zip"), expected);
    // Paths resolve as every other one: without regard to case.
    EXPECT_EQ(reader().getFileInfo("C:\\A.ZIP"), expected);
}

TEST_F(ZipReaderTest, AnEmptyArchiveHasNoMembers) {
    archive("");
    try {
        EXPECT_TRUE(reader().getFileInfo("c:\\a.zip").empty());
    } catch (const ZipReaderException& e) {
        FAIL() << e.getMessage();
    }
    EXPECT_TRUE(walk().empty());
}

TEST_F(ZipReaderTest, LoadsStoredDeflatedAndEmptyMembers) {
    const std::string big(40000, 'x');
    archive(member("stored", "plain") + ", " + member("deflated", big, "deflated") + ", " + member("empty", ""));
    EXPECT_EQ(reader().loadFromZip("c:\\a.zip", "stored"), std::vector<char>({'p', 'l', 'a', 'i', 'n'}));
    EXPECT_EQ(reader().loadFromZip("c:\\a.zip", "DEFLATED"), std::vector<char>(big.begin(), big.end()));
    EXPECT_TRUE(reader().loadFromZip("c:\\a.zip", "empty").empty());
}

TEST_F(ZipReaderTest, LoadingByNameFindsTheFirstOfCaseTwinsButTheWalkReadsEach) {
    archive(member("Twin.txt", "first") + ", " + member("twin.txt", "second") + ", " + member("twin.txt", "third"));
    EXPECT_EQ(reader().loadFromZip("c:\\a.zip", "twin.txt"), std::vector<char>({'f', 'i', 'r', 's', 't'}));
    EXPECT_EQ(walk(), (std::vector<std::string>{"member Twin.txt 5", "read Twin.txt 'first'", "member twin.txt 6",
                                                "read twin.txt 'second'", "member twin.txt 5",
                                                "read twin.txt 'third'"}));
}

TEST_F(ZipReaderTest, FailuresGiveTheReadersTexts) {
    file("not.zip", "this is no archive");
    archive(member("m", "bytes"));
    struct Case {
        const char* what;
        std::function<void()> call;
        std::string text;
    };
    const Case cases[] = {
        {"no archive, listing", [&] { reader().getFileInfo("c:\\not.zip"); },
         "Cannot open 'c:\\not.zip' using 'unzOpen'. Method: 'getFileInfo'."},
        {"no archive, loading", [&] { reader().loadFromZip("c:\\not.zip", "m"); },
         "Cannot open 'c:\\not.zip' using 'unzOpen'. Method: 'loadFromZip'."},
        {"no archive, walking", [&] { walk("c:\\not.zip"); },
         "Cannot open 'c:\\not.zip' using 'unzOpen'. Method: 'readMembers'."},
        {"missing file", [&] { reader().getFileInfo("c:\\missing.zip"); },
         "Cannot open 'c:\\missing.zip' using 'unzOpen'. Method: 'getFileInfo'."},
        {"missing member", [&] { reader().loadFromZip("c:\\a.zip", "other"); },
         "File 'other' not found in 'c:\\a.zip'. Method: 'loadFromZip'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(thrownText<ZipReaderException>(c.call), c.text);
    }
}

TEST_F(ZipReaderTest, AMemberThatFailsItsCrcIsAFailureNotItsDamagedBytes) {
    archive(member("good", "fine") + ", " + member("bad", "damaged") + ", " + member("late", "after"), "crc:bad");
    EXPECT_EQ(thrownText<ZipReaderException>([&] { reader().loadFromZip("c:\\a.zip", "bad"); }),
              "Error reading 'bad' from 'c:\\a.zip': the bytes do not match the archive's CRC check. Method: "
              "'loadFromZip'.");
    EXPECT_EQ(walk(), (std::vector<std::string>{
                          "member good 4", "read good 'fine'", "member bad 7",
                          "failed bad: Error reading 'bad' from 'c:\\a.zip': the bytes do not match the archive's "
                          "CRC check. Method: 'readMembers'.",
                          "member late 5", "read late 'after'"}));
}

TEST_F(ZipReaderTest, EncryptedAndUnsupportedMembersCannotBeOpened) {
    archive(member("secret", "hidden", "stored", "\"encrypted\": true") + ", " + member("bz", "bzip2ed", "bzip2") +
            ", " + member("plain", "ok"));
    EXPECT_EQ(thrownText<ZipReaderException>([&] { reader().loadFromZip("c:\\a.zip", "secret"); }),
              "File 'secret' not found in 'c:\\a.zip'. Method: 'loadFromZip'.");
    EXPECT_EQ(thrownText<ZipReaderException>([&] { reader().loadFromZip("c:\\a.zip", "bz"); }),
              "File 'bz' not found in 'c:\\a.zip'. Method: 'loadFromZip'.");
    EXPECT_EQ(walk(), (std::vector<std::string>{
                          "member secret 6", "failed secret: File 'secret' not found in 'c:\\a.zip'. Method: 'readMembers'.",
                          "member bz 7", "failed bz: File 'bz' not found in 'c:\\a.zip'. Method: 'readMembers'.",
                          "member plain 2", "read plain 'ok'"}));
}

TEST_F(ZipReaderTest, ATruncatedArchiveCannotBeOpened) {
    // The central directory is at the end: without it there is no archive.
    archive(member("one", std::string(500, '1')) + ", " + member("two", "2"), "truncate:400");
    EXPECT_EQ(thrownText<ZipReaderException>([&] { reader().getFileInfo("c:\\a.zip"); }),
              "Cannot open 'c:\\a.zip' using 'unzOpen'. Method: 'getFileInfo'.");
}

TEST_F(ZipReaderTest, ADirectoryNamedLikeAnArchiveCannotBeOpened) {
    folder("folder.zip");
    EXPECT_EQ(thrownText<ZipReaderException>([&] { reader().getFileInfo("c:\\folder.zip"); }),
              "Cannot open 'c:\\folder.zip' using 'unzOpen'. Method: 'getFileInfo'.");
}

}  // namespace zip_tests
