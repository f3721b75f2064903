#include <gtest/gtest.h>

#include <functional>

#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileFinderImpl.h"
#include "tests/platform/file/FakeFileCalls.h"
#include "tests/platform/file/PrefixFixture.h"

using namespace platform::file;
using file_tests::thrownText;
namespace winerror = platform::winerror;

namespace {

// Records every visit as "directory|name" (a failed step as "directory|!error")
// and answers what answer says.
struct RecordingVisitor : FileFinderVisitor {
    std::function<int(const FindRecord&, bool failed)> answer = [](const FindRecord&, bool) { return GO_ON; };
    std::vector<std::string> visits;
    std::vector<bool> afterFirst;

    int visit(const FindRecord& entry, bool after, bool failed, const std::string& directory) override {
        visits.push_back(directory + "|" + (failed ? "!" + std::to_string(platform::getLastError()) : entry.fileName));
        afterFirst.push_back(after);
        return answer(entry, failed);
    }
    std::vector<std::string> named() const {  // without the "." and ".." entries
        std::vector<std::string> result;
        for (const auto& v : visits)
            if (v.substr(v.find('|')) != "|." && v.substr(v.find('|')) != "|..") result.push_back(v);
        return result;
    }
};

class PrefixWalk : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        file("a/a1.txt", "1");
        file("a/sub/s.txt", "s");
        file("B.txt", "b");
        file("c/c1.txt", "c");
    }
};

TEST_F(PrefixWalk, WalksDepthFirstInWindowsOrderFromTheFirstEntryOfADriveRoot) {
    RecordingVisitor visitor;
    services().fileFinder().find("c:", true, visitor);
    EXPECT_EQ(visitor.visits, (std::vector<std::string>{
                                  "c:|a",  // a root lists no "." entries: its first entry is a folder
                                  "c:\\a|.", "c:\\a|..", "c:\\a|a1.txt", "c:\\a|sub",
                                  "c:\\a\\sub|.", "c:\\a\\sub|..", "c:\\a\\sub|s.txt",
                                  "c:|B.txt", "c:|c",
                                  "c:\\c|.", "c:\\c|..", "c:\\c|c1.txt",
                              }));
    EXPECT_FALSE(visitor.afterFirst[0]);
    EXPECT_FALSE(visitor.afterFirst[1]);  // "." of c:\a
    EXPECT_TRUE(visitor.afterFirst[2]);

    RecordingVisitor flat;
    services().fileFinder().find("C:\\A", false, flat);
    EXPECT_EQ(flat.named(), (std::vector<std::string>{"C:\\A|a1.txt", "C:\\A|sub"}));
}

TEST_F(PrefixWalk, ListsNamesBeyondAsciiWithCaseIgnored) {
    for (const char* name : {"\xc3\x89" "b", "\xc3\xa9" "a", "Z", "\xc3\xa9" "A", "e"})
        file(std::string("names/") + name);
    RecordingVisitor visitor;
    services().fileFinder().find("c:\\names", false, visitor);
    // Éb and éa sort by their letters after É; the two names that differ in case only, byte-wise.
    EXPECT_EQ(visitor.named(), (std::vector<std::string>{"c:\\names|e", "c:\\names|Z", "c:\\names|\xc3\xa9" "A",
                                                          "c:\\names|\xc3\xa9" "a", "c:\\names|\xc3\x89" "b"}));
}

TEST_F(PrefixWalk, StoppingAListingEndsOnlyThatDirectory) {
    RecordingVisitor visitor;
    visitor.answer = [](const FindRecord& entry, bool) {
        return entry.fileName == "a1.txt" ? FileFinderVisitor::STOP_LISTING : FileFinderVisitor::GO_ON;
    };
    services().fileFinder().find("c:", true, visitor);
    EXPECT_EQ(visitor.named(), (std::vector<std::string>{"c:|a", "c:\\a|a1.txt", "c:|B.txt", "c:|c", "c:\\c|c1.txt"}));
}

TEST_F(PrefixWalk, AFolderThatCannotBeListedFailsOnlyWhenTheVisitorSaysSo) {
    const struct {
        int answer;
        bool throws;
    } cases[] = {{FileFinderVisitor::FAIL, true}, {FileFinderVisitor::STOP_LISTING, false}, {FileFinderVisitor::GO_ON, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        RecordingVisitor visitor;
        visitor.answer = [&](const FindRecord&, bool) { return c.answer; };
        const std::string text = thrownText<windows::file::FileFinderException>(
            [&] { services().fileFinder().find("c:\\missing", true, visitor); });
        EXPECT_EQ(visitor.visits, std::vector<std::string>{"c:\\missing|!3"});
        EXPECT_EQ(text, c.throws ? "Error when using the FindFirstFile system call. \nThe error occured when opening a "
                                   "find file handle. Initial file/folder: c:\\missing\n\n" +
                                       SystemErrors::map(winerror::PATH_NOT_FOUND)
                                 : "");
    }
}

TEST_F(PrefixWalk, LinksBackUpTheTreeAreNotWalkedAgain) {
    std::filesystem::create_symlink("..", driveC / "a" / "up");
    std::filesystem::create_symlink(".", driveC / "c" / "self");
    std::filesystem::create_symlink(driveC / "a", driveC / "c" / "toA");
    RecordingVisitor visitor;
    services().fileFinder().find("c:", true, visitor);
    const auto visits = visitor.named();
    EXPECT_EQ(std::count(visits.begin(), visits.end(), "c:\\a\\sub|s.txt"), 1);
    // Each link is listed as a folder, but what it leads to is walked once.
    EXPECT_NE(std::find(visits.begin(), visits.end(), "c:\\a|up"), visits.end());
    EXPECT_NE(std::find(visits.begin(), visits.end(), "c:\\c|toA"), visits.end());
    EXPECT_EQ(std::find(visits.begin(), visits.end(), "c:\\c\\toA|a1.txt"), visits.end());
}

TEST_F(PrefixWalk, APseudoFileSystemListsAsAnEmptyFolder) {
    std::filesystem::create_symlink("/proc", driveC / "c" / "proc");
    RecordingVisitor visitor;
    services().fileFinder().find("c:\\c", true, visitor);
    EXPECT_EQ(visitor.named(), (std::vector<std::string>{"c:\\c|c1.txt", "c:\\c|proc"}));
    EXPECT_EQ(std::count(visitor.visits.begin(), visitor.visits.end(), "c:\\c\\proc|."), 1);
}

file_tests::FakeFileCalls::Step entry(const std::string& name) {
    FindRecord record;
    record.fileName = name;
    return {true, 0, record};
}
file_tests::FakeFileCalls::Step failure(int error) { return {false, error, {}}; }

TEST(FileFinder, AFailedNextStepFailsOnlyWhenTheVisitorSaysSo) {
    file_tests::FakeFileCalls calls;
    calls.listings["x\\*"] = {entry("first"), failure(winerror::ACCESS_DENIED), entry("after")};
    RecordingVisitor goOn;
    FileFinderImpl(calls).find("x", true, goOn);
    EXPECT_EQ(goOn.visits, (std::vector<std::string>{"x|first", "x|!5", "x|after"}));

    calls.listings["x\\*"] = {entry("first"), failure(winerror::ACCESS_DENIED), entry("after")};
    RecordingVisitor failing;
    failing.answer = [](const FindRecord&, bool failed) { return failed ? FileFinderVisitor::FAIL : FileFinderVisitor::GO_ON; };
    EXPECT_EQ(thrownText<windows::file::FileFinderException>([&] { FileFinderImpl(calls).find("x", true, failing); }),
              "Error when enumerating files/folders with FindNextFile. \nEnumerating files in: x\n\n" +
                  SystemErrors::map(winerror::ACCESS_DENIED));
}

TEST(FileFinder, ANextStepThatKeepsFailingEndsTheListing) {
    file_tests::FakeFileCalls calls;
    auto& steps = calls.listings["x\\*"];
    steps.push_back(entry("first"));
    for (int i = 0; i < FileFinderImpl::MAX_FAILED_STEPS + 50; ++i) steps.push_back(failure(winerror::READ_FAULT));
    RecordingVisitor visitor;
    FileFinderImpl(calls).find("x", true, visitor);
    EXPECT_EQ(visitor.visits.size(), 1u + FileFinderImpl::MAX_FAILED_STEPS);
}

TEST(FileFinder, AnEmptyOrTooLongStartIsReportedAndTheWalkGoesOn) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inside(scratch.path());
    file_tests::FakeFileCalls calls;
    RecordingVisitor visitor;
    FileFinderImpl(calls).find("", false, visitor);
    FileFinderImpl(calls).find("c:\\" + std::string(MAX_PATH, 'x'), false, visitor);
    const std::string report = scratch.read("assertion.txt");
    EXPECT_NE(report.find("Assertion failed. Message: startdir != \"\"\n"), std::string::npos);
    EXPECT_NE(report.find("Assertion failed. Message: startdir.size() <= MAX_PATH\n"), std::string::npos);
    EXPECT_EQ(calls.calls.size(), 2u) << "both walks asked the platform";
}

}  // namespace
