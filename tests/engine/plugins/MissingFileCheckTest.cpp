#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/plugins/MissingFileCheck.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "tests/support/TempDir.h"

using namespace com::quorvex::products::tamblix;
using platform::file::DRIVE_CDROM;
using platform::file::DRIVE_FIXED;
using platform::file::DRIVE_REMOTE;
using platform::file::DRIVE_REMOVABLE;
using platform::file::memory::MemoryFileSystem;

namespace {

const std::map<std::string, int> FIXED_C = {{"c:\\", DRIVE_FIXED}};

struct DecisionCase {
    const char* note;
    std::string text;
    std::vector<std::string> files;
    std::vector<std::string> directories;
    std::map<std::string, int> drives;
    std::set<std::string> pathWhitelist;
    bool reported;
};

// Each case on a fresh cache: the answer depends on the text and the machine only.
TEST(MissingFileCheck, DecidesWhetherATextNamesAMissingFileOnAFixedDisk) {
    const std::vector<DecisionCase> cases = {
        {"a missing file", "C:\\Program Files\\Gone\\app.exe", {}, {"c:\\program files"}, FIXED_C, {}, true},
        {"an existing file, found in another letter case", "C:\\WINDOWS\\Notepad.EXE",
         {"c:\\windows\\notepad.exe"}, {}, FIXED_C, {}, false},
        {"the prefix before a space exists: arguments follow the program", "C:\\Program Files\\App\\app.exe /s",
         {"C:\\Program Files\\App\\app.exe"}, {}, FIXED_C, {}, false},
        {"quoted missing path with an argument", "\"C:\\Program Files\\Gone\\app.exe\" -silent", {}, {}, FIXED_C,
         {}, true},
        {"quoted existing path with an argument", "\"C:\\Program Files\\App\\app.exe\" \"%1\"",
         {"c:\\program files\\app\\app.exe"}, {}, FIXED_C, {}, false},
        {"icon index: extensions are not tried for prefixes that end before a comma", "c:\\windows\\notepad,1",
         {"c:\\windows\\notepad.exe"}, {}, FIXED_C, {}, true},
        {"the whole text is tried with .exe", "c:\\windows\\notepad", {"c:\\windows\\notepad.exe"}, {}, FIXED_C, {},
         false},
        {"the whole text is tried with .bat", "c:\\tools\\run", {"c:\\tools\\run.bat"}, {}, FIXED_C, {}, false},
        {"the whole text is tried with .com", "c:\\tools\\run", {"c:\\tools\\run.com"}, {}, FIXED_C, {}, false},
        {"the whole text is tried with .dll", "c:\\tools\\run", {"c:\\tools\\run.dll"}, {}, FIXED_C, {}, false},
        {"other extensions are not tried", "c:\\tools\\run", {"c:\\tools\\run.cmd"}, {}, FIXED_C, {}, true},
        {"a prefix before a space is tried with the extensions", "c:\\tools\\run -now", {"c:\\tools\\run.exe"}, {},
         FIXED_C, {}, false},
        {"a network path has no drive letter", "\\\\server\\share\\x.dll", {}, {}, FIXED_C, {}, false},
        {"a placeholder is no path", "%1", {}, {}, FIXED_C, {}, false},
        {"a plain word is no path", "Apartment", {}, {}, FIXED_C, {}, false},
        {"a drive separator at the very start", ":\\gone.exe", {}, {}, FIXED_C, {}, false},
        {"a digit is no drive letter", "1:\\gone.exe", {}, {}, FIXED_C, {}, false},
        {"text before the drive letter is dropped", "rundll32.exe c:\\gone\\x.dll,Entry", {}, {}, FIXED_C, {},
         true},
        {"text before the drive letter is dropped and the rest exists", "rundll32.exe c:\\tools\\x.dll,Entry",
         {"c:\\tools\\x.dll"}, {}, FIXED_C, {}, false},
        {"two drive paths", "c:\\a.txt;d:\\b.txt", {}, {}, {{"c:\\", DRIVE_FIXED}, {"d:\\", DRIVE_FIXED}}, {}, false},
        {"a second drive path as an argument", "c:\\gone.exe c:\\other.txt", {}, {}, FIXED_C, {}, false},
        {"a CD-ROM drive", "d:\\setup.exe", {}, {}, {{"d:\\", DRIVE_CDROM}}, {}, false},
        {"a network drive", "n:\\share\\tool.exe", {}, {}, {{"n:\\", DRIVE_REMOTE}}, {}, false},
        {"a removable drive", "a:\\tool.exe", {}, {}, {{"a:\\", DRIVE_REMOVABLE}}, {}, false},
        {"a drive that does not exist", "q:\\tool.exe", {}, {}, FIXED_C, {}, false},
        {"another fixed drive", "E:\\Data\\gone.txt", {}, {}, {{"e:\\", DRIVE_FIXED}}, {}, true},
        {"an existing directory", "C:\\Windows\\", {}, {"c:\\windows"}, FIXED_C, {}, false},
        {"semicolons go: a search path of one existing directory", "c:\\program files;", {},
         {"c:\\program files"}, FIXED_C, {}, false},
        {"cut at a pipe, then tried with the extensions", "c:\\tools\\app|x", {"c:\\tools\\app.exe"}, {}, FIXED_C,
         {}, false},
        {"cut at <", "c:\\tools\\app<x", {"c:\\tools\\app.com"}, {}, FIXED_C, {}, false},
        {"cut at >", "c:\\tools\\app>x", {"c:\\tools\\app.bat"}, {}, FIXED_C, {}, false},
        {"cut at *", "c:\\gone\\*", {}, {"c:\\gone"}, FIXED_C, {}, false},
        {"cut at ?", "c:\\logs\\?.txt", {}, {"c:\\logs"}, FIXED_C, {}, false},
        {"the cut rest is missing", "c:\\gone\\x.log|y", {}, {}, FIXED_C, {}, true},
        {"a reserved device name is never tested, its shorter prefixes are", "c:\\dev\\com1",
         {"c:\\dev\\com1"}, {}, FIXED_C, {}, true},
        {"a shorter prefix of a reserved name exists", "c:\\dev\\com1", {"c:\\dev\\COM"}, {}, FIXED_C, {}, false},
        {"reserved names with a forward slash and in upper case", "c:\\dev/LPT1", {"c:\\dev/lpt1"}, {}, FIXED_C,
         {}, true},
        {"five letters are no reserved name", "c:\\dev\\com10", {"c:\\dev\\com10"}, {}, FIXED_C, {}, false},
        {"the path whitelist keeps a missing path", "C:\\Temp\\gone.tmp", {}, {}, FIXED_C,
         {"^c:\\\\temp\\\\"}, false},
        {"patterns see the cleaned, lower-case path", "\"C:\\Temp\\gone.tmp\"", {}, {}, FIXED_C, {"C:\\\\Temp"},
         true},
        {"a whitelist that does not match", "C:\\Gone\\x.exe", {}, {}, FIXED_C, {"^c:\\\\temp\\\\", "\\.tmp$"},
         true},
        {"an invalid whitelist pattern", "C:\\Gone\\x.exe", {}, {}, FIXED_C, {"(unclosed"}, false},
    };
    testing_support::TempDir scratch;  // the invalid pattern's report goes here
    testing_support::WorkingDirectory inScratch(scratch.path());
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(std::string(c.note) + ": " + c.text);
        MemoryFileSystem files(c.files, c.directories, c.drives);
        MissingFileCheck check(files, files, files);
        EXPECT_EQ(check.isMissingFileReference(c.text, PathWhitelist(c.pathWhitelist)), c.reported);
    }
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "assertion.txt"));
}

TEST(MissingFileCheck, AFailingDirectoryTestMeansNoFinding) {
    MemoryFileSystem files({}, {}, FIXED_C);
    files.failDirectoryTest("c:\\odd\\gone.exe");
    MissingFileCheck check(files, files, files);
    EXPECT_FALSE(check.isMissingFileReference("c:\\odd\\gone.exe", {}));
    EXPECT_TRUE(files.fileQuestions.empty());
    EXPECT_TRUE(check.isMissingFileReference("c:\\odd\\other.exe", {}));
}

TEST(MissingFileCheck, TriesEveryPrefixFromTheLongestAndTheExtensionsOnlyAtBoundaries) {
    MemoryFileSystem files({}, {}, FIXED_C);
    MissingFileCheck check(files, files, files);
    EXPECT_TRUE(check.isMissingFileReference("C:\\a b", {}));
    EXPECT_EQ(files.driveQuestions, std::vector<std::string>{"c:\\"});
    EXPECT_EQ(files.directoryQuestions, std::vector<std::string>{"c:\\a b"});
    const std::vector<std::string> expected = {
        "c:\\a b", "c:\\a b.bat", "c:\\a b.com", "c:\\a b.dll", "c:\\a b.exe", "c:\\a ",
        "c:\\a",   "c:\\a.bat",   "c:\\a.com",   "c:\\a.dll",   "c:\\a.exe",   "c:\\",
        "c:",      "c"};
    EXPECT_EQ(files.fileQuestions, expected);
}

TEST(MissingFileCheck, PrefixesFoundMissingAreNotTriedAgainUnlessTheyAreBoundaries) {
    MemoryFileSystem files({}, {}, FIXED_C);
    MissingFileCheck check(files, files, files);
    ASSERT_TRUE(check.isMissingFileReference("c:\\gone\\one.exe", {}));
    const std::size_t first = files.fileQuestions.size();
    files.fileQuestions.clear();

    // The same folder: only prefixes longer than the folder are asked.
    ASSERT_TRUE(check.isMissingFileReference("c:\\gone\\two.exe", {}));
    const std::string folder = "c:\\gone\\";
    for (const std::string& asked : files.fileQuestions) EXPECT_GT(asked.size(), folder.size()) << asked;
    EXPECT_LT(files.fileQuestions.size(), first);
    files.fileQuestions.clear();

    // A cached prefix that is now a boundary is tried again, with the extensions.
    files.addFile("c:\\gone\\one.exe.com");
    EXPECT_FALSE(check.isMissingFileReference("c:\\gone\\one.exe -x", {}));
    EXPECT_NE(std::find(files.fileQuestions.begin(), files.fileQuestions.end(), "c:\\gone\\one.exe"),
              files.fileQuestions.end());

    // A file that appears under a cached prefix stays unseen until the cache is emptied.
    files.addFile("c:\\gone\\two");
    EXPECT_TRUE(check.isMissingFileReference("c:\\gone\\two.exe", {}));
    check.clearCache();
    EXPECT_FALSE(check.isMissingFileReference("c:\\gone\\two.exe", {}));
    EXPECT_GT(check.counts().cacheHits, 0u);
}

}  // namespace
