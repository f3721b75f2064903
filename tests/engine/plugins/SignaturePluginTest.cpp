// The file signature plugin: its definitions, the check of one file, and scans
// over a small prefix whose files and archives the tests write.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "engine/plugins/Md5Hasher.h"
#include "tests/engine/plugins/SignatureFixture.h"
#include "tests/platform/zip/ZipMaker.h"
#include "tests/support/PermissionsBind.h"
#include "tests/support/ProcessRun.h"

namespace signature_tests {

using com::quorvex::products::tamblix::Histogram;
using com::quorvex::products::tamblix::SignatureDefinition;
using com::quorvex::products::tamblix::Vossek1Hash;

const std::string ABC_MD5 = "900150983cd24fb0d6963f7d28e17f72";
const std::string HELLO_MD5 = "5d41402abc4b2a76b9719d911017c592";

std::string vossekOf(const std::string& content) {
    const Vossek1Hash vossek;
    return vossek.format(vossek.compute(content.data(), content.size()));
}

using SignaturePluginTest = SignatureFixture;

TEST_F(SignaturePluginTest, SignaturesTakeWhatTheyLackFromTheirGroup) {
    plugin().loadDefinitions(definitions(
        "<signature-group info='group text' recommend='true' whitelisted='1'>"
        "<signature md5='" + ABC_MD5 + "'/>"
        "<signature md5='m2' info='own' recommend='false' whitelisted='false' vossek1='1,'/>"
        "</signature-group><signature-group><signature/></signature-group>"));
    const auto& loaded = plugin().definitions();
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].info, "group text");
    EXPECT_TRUE(loaded[0].recommend);
    EXPECT_TRUE(loaded[0].whitelisted);
    EXPECT_TRUE(loaded[0].histogram.empty());
    EXPECT_EQ(loaded[0].histogramTotal, 0);
    EXPECT_EQ(loaded[1].info, "own");
    EXPECT_FALSE(loaded[1].recommend);
    EXPECT_FALSE(loaded[1].whitelisted);
    EXPECT_EQ(loaded[1].histogramTotal, 128);
    EXPECT_EQ(loaded[2].md5, "");
    EXPECT_EQ(loaded[2].info, "");
    EXPECT_FALSE(loaded[2].recommend);
    EXPECT_TRUE(plugin().hasDefinitions());
    plugin().clearDefinitions();
    EXPECT_FALSE(plugin().hasDefinitions());
}

TEST_F(SignaturePluginTest, OnlyADocumentWithSignaturesAndOneCutoffAboveTheLeastSetsIt) {
    const std::string one = "<signature-group><signature md5='x'/></signature-group>";
    struct Step {
        std::string document;
        double cutoff;
    };
    const Step steps[] = {
        {definitions(""), 0.0},                                     // before any: variant matching off
        {definitions(one, "0.25"), 0.25},                           // set
        {definitions("", "0.5"), 0.25},                             // no signatures: kept
        {definitions(one, "0.0001"), 0.25},                         // not above the least: kept
        {definitions(one), 0.25},                                   // none given: kept
        {definitions(one, "0.3</vossek-cutoff><vossek-cutoff>0.4"), 0.25},  // two: kept
        {definitions(one, " 0.125xyz"), 0.125},                     // as atof reads it
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.document);
        plugin().loadDefinitions(step.document);
        EXPECT_DOUBLE_EQ(plugin().cutoff(), step.cutoff);
    }
    plugin().clearDefinitions();
    EXPECT_DOUBLE_EQ(plugin().cutoff(), 0.125);
}

// One file c:\f.bin with the content, scanned with the definitions: the
// suggestion made, or "" for none.
struct CheckCase {
    const char* what;
    std::string content;
    std::string groups;
    std::string cutoff;
    std::string expected;
};

TEST_F(SignaturePluginTest, TheCheckTriesTheMd5FirstThenTheFirstCloseHistogram) {
    const std::string abcd = "abcdefghijklmnop";
    // The last byte changed: 6 of the 32 counts differ, a distance of 0.1875.
    const std::string variantOfAbcd = "abcdefghijklmnoq";
    const CheckCase cases[] = {
        {"listed MD5", "abc", "<signature-group><signature md5='" + ABC_MD5 + "' info='known' recommend='1'/></signature-group>",
         "", "c:\\f.bin||known|exact|on"},
        {"unknown MD5, no histogram", "abd", "<signature-group><signature md5='" + ABC_MD5 + "'/></signature-group>", "0.5", ""},
        {"equal MD5 twice: the later one", "abc",
         "<signature-group><signature md5='" + ABC_MD5 + "' info='first'/><signature md5='" + ABC_MD5 +
             "' info='second'/></signature-group>", "", "c:\\f.bin||second|exact|off"},
        {"whitelisted over a histogram that matches", "abc",
         "<signature-group><signature md5='" + ABC_MD5 + "' whitelisted='true'/><signature info='h' vossek1='" +
             vossekOf("abc") + "'/></signature-group>", "0.5", ""},
        {"equal MD5, the later whitelisted", "abc",
         "<signature-group><signature md5='" + ABC_MD5 + "' info='bad'/><signature md5='" + ABC_MD5 +
             "' whitelisted='1'/></signature-group>", "", ""},
        {"identical histogram", abcd, "<signature-group><signature info='h' vossek1='" + vossekOf(abcd) + "'/></signature-group>",
         "0.01", "c:\\f.bin||h|variant|off"},
        {"at the cutoff: strictly below it is needed", variantOfAbcd,
         "<signature-group><signature info='h' vossek1='" + vossekOf(abcd) + "'/></signature-group>", "0.1875", ""},
        {"just below the cutoff", variantOfAbcd,
         "<signature-group><signature info='h' vossek1='" + vossekOf(abcd) + "'/></signature-group>", "0.19",
         "c:\\f.bin||h|variant|off"},
        {"the first close one in list order, not the closest", variantOfAbcd,
         "<signature-group recommend='true'><signature info='far' vossek1='" + vossekOf(abcd) +
             "'/><signature info='same' vossek1='" + vossekOf(variantOfAbcd) + "'/></signature-group>", "0.3",
         "c:\\f.bin||far|variant|on"},
        {"a whitelisted histogram still matches by histogram", abcd,
         "<signature-group whitelisted='1'><signature info='w' vossek1='" + vossekOf(abcd) + "'/></signature-group>",
         "0.1", "c:\\f.bin||w|variant|off"},
        {"no cutoff set: no variants", abcd, "<signature-group><signature vossek1='" + vossekOf(abcd) + "'/></signature-group>",
         "", ""},
        {"a zero histogram never takes part", abcd, "<signature-group><signature vossek1=''/></signature-group>", "2", ""},
        {"totals far apart", std::string(100, 'a'),
         "<signature-group><signature info='small' vossek1='" + vossekOf("aaaa") + "'/></signature-group>", "0.9", ""},
        {"totals apart but under a wide cutoff", std::string(10, 'a'),
         "<signature-group><signature info='wide' vossek1='" + vossekOf("aaaa") + "'/></signature-group>", "0.9",
         "c:\\f.bin||wide|variant|off"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        file("f.bin", c.content);
        freshPlugin();
        plugin().loadDefinitions(definitions(c.groups, c.cutoff));
        results = {};
        scan();
        EXPECT_EQ(suggestions(), c.expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.expected});
        EXPECT_TRUE(results.scanProblems.empty());
        std::filesystem::remove(driveC / "f.bin");
    }
}

}  // namespace signature_tests

namespace signature_tests {

using zip_tests::makeZip;
using zip_tests::member;

TEST_F(SignaturePluginTest, TheSizeRuleSkipsEmptyAndTooLargeFilesWithoutAWord) {
    const std::string limit(20000000, 'z');
    file("empty.bin", "");
    file("limit.bin", limit);
    file("over.bin", limit + "z");
    plugin().loadDefinitions(definitions("<signature-group><signature md5='" +
                                         com::quorvex::products::tamblix::md5Hex(limit.data(), limit.size()) +
                                         "' info='at the limit'/><signature md5='d41d8cd98f00b204e9800998ecf8427e'/>"
                                         "</signature-group>"));
    scan();
    EXPECT_EQ(suggestions(), std::vector<std::string>{"c:\\limit.bin||at the limit|exact|off"});
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Scanning c:\\limit.bin"});
}

TEST_F(SignaturePluginTest, ArchivesAreCheckedMemberByMemberAndAsAWhole) {
    folder("");
    // Case twins and equal names are each checked by their own bytes.
    makeZip(driveC / "a.zip", "[" + member("Twin", "hello") + ", " + member("twin", "abc", "deflated") + ", " +
                                  member("twin", "hello") + ", " + member("dir", "", "stored", "\"directory\": true") +
                                  ", " + member("bad", "damaged") + "]",
            "crc:bad");
    // Upper case is no archive: checked only as a whole.
    makeZip(driveC / "b.ZIP", "[" + member("inner", "abc") + "]");
    file("fake.zip", "abc");
    plugin().loadDefinitions(definitions("<signature-group><signature md5='" + ABC_MD5 + "' info='abc'/><signature md5='" +
                                         HELLO_MD5 + "' info='hello'/><signature md5='" +
                                         com::quorvex::products::tamblix::md5Hex(
                                             testing_support::readFile(driveC / "b.ZIP").data(),
                                             testing_support::readFile(driveC / "b.ZIP").size()) +
                                         "' info='whole'/></signature-group>"));
    scan();
    EXPECT_EQ(suggestions(), (std::vector<std::string>{"c:\\a.zip|Twin|hello|exact|off", "c:\\a.zip|twin|abc|exact|off",
                                                       "c:\\a.zip|twin|hello|exact|off", "c:\\b.ZIP||whole|exact|off",
                                                       "c:\\fake.zip||abc|exact|off"}));
    EXPECT_EQ(results.scanProblems,
              (std::vector<std::string>{
                  "Error reading 'bad' from 'c:\\a.zip': the bytes do not match the archive's CRC check. Method: "
                  "'readMembers'.",
                  "Cannot open 'c:\\fake.zip' using 'unzOpen'. Method: 'readMembers'."}));
    EXPECT_EQ(progress.texts,
              (std::vector<std::string>{"Scanning c:\\a.zip\\Twin", "Scanning c:\\a.zip\\twin", "Scanning c:\\a.zip\\twin",
                                        "Scanning c:\\a.zip\\bad", "Scanning c:\\a.zip", "Scanning c:\\b.ZIP",
                                        "Scanning c:\\fake.zip"}));
}

TEST_F(SignaturePluginTest, AnUnreadableFileIsAProblemAndTheWalkGoesOn) {
    file("a.bin", "abc");
    file("b.bin", "abc");
    std::filesystem::permissions(driveC / "a.bin", std::filesystem::perms::none);
    const testing_support::PermissionsBind asAnyUser;
    plugin().loadDefinitions(definitions("<signature-group><signature md5='" + ABC_MD5 + "'/></signature-group>"));
    scan();
    EXPECT_EQ(suggestions(), std::vector<std::string>{"c:\\b.bin|||exact|off"});
    ASSERT_EQ(results.scanProblems.size(), 1u);
    EXPECT_EQ(results.scanProblems[0].rfind("An error occurred when trying to open the file for reading.\nFilename: "
                                            "'c:\\a.bin'", 0),
              0u)
        << results.scanProblems[0];
}

TEST_F(SignaturePluginTest, ACancelledScanStopsAtTheNextEntry) {
    file("a.bin", "abc");
    plugin().loadDefinitions(definitions("<signature-group><signature md5='" + ABC_MD5 + "'/></signature-group>"));
    plugin().setCancelled(true);
    scan();
    EXPECT_TRUE(results.fileChanges.empty());
    EXPECT_TRUE(progress.texts.empty());
}

// A real folder tree as drive d:, its files' MD5s from md5sum: every file whose
// MD5 is listed is suggested, and nothing else.
TEST_F(SignaturePluginTest, AScanOfATreeFindsWhatMd5sumPredicts) {
    const std::filesystem::path tree = scratch.path() / "tree";
    for (int i = 0; i < 40; ++i) {
        const auto path = tree / ("sub" + std::to_string(i % 5)) / ("file" + std::to_string(i) + ".bin");
        std::filesystem::create_directories(path.parent_path());
        std::string content;
        for (int k = 0; k < i * 997 + 1; ++k) content += char((k * 31 + i) % 251);
        std::ofstream(path, std::ios::binary) << content;
    }
    drive("d:", tree);
    std::filesystem::remove(root / "dosdevices" / "c:");
    const auto listed = testing_support::runProgram(
        "/bin/sh", {"-c", "cd '" + tree.string() + "' && find . -type f | sort | xargs md5sum"}, scratch.path(), "");
    ASSERT_EQ(listed.exitCode, 0);
    std::istringstream lines(listed.output);
    std::string md5, name, groups;
    std::set<std::string> expected;
    for (int line = 0; lines >> md5 >> name; ++line) {
        if (line % 3 != 0) continue;  // every third file is listed
        std::string windows = "d:" + name.substr(1);
        std::replace(windows.begin(), windows.end(), '/', '\\');
        expected.insert(windows + "|||exact|off");
        groups += "<signature md5='" + md5 + "'/>";
    }
    plugin().loadDefinitions(definitions("<signature-group>" + groups + "</signature-group>"));
    scan();
    const std::vector<std::string> found = suggestions();
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
    EXPECT_EQ(found.size(), expected.size());
    EXPECT_EQ(progress.texts.size(), 40u);
    EXPECT_TRUE(results.scanProblems.empty());
}

}  // namespace signature_tests
