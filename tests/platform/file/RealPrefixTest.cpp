#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/file/FolderQueries.h"
#include "platform/file/prefix/PathResolver.h"
#include "platform/util/Utf8.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"

using namespace platform::file;

namespace {

// A prefix that Wine itself made, and Wine's own answers as the measure.
class RealPrefix : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing_support::winePrefixAvailable()) GTEST_SKIP() << "no Wine prefix in this build";
        folder = scratch.path() / "prefix";
        testing_support::copyWinePrefix(folder);
        prefix = std::make_unique<platform::prefix::WinePrefix>(folder);
        services = std::make_unique<platform::prefix::PrefixFileServices>(*prefix);
    }

    std::string wineCurrentDirectory() {
        std::string output;
        EXPECT_EQ(testing_support::runWine(folder, "cmd /c cd", &output), 0);
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
        return output;
    }

    testing_support::TempDir scratch;
    std::filesystem::path folder;
    std::unique_ptr<platform::prefix::WinePrefix> prefix;
    std::unique_ptr<platform::prefix::PrefixFileServices> services;
};

TEST_F(RealPrefix, TheWorkingDirectoryIsTheOneWineShows) {
    for (const auto& where : {folder / "drive_c" / "windows" / "system32", scratch.path()}) {
        SCOPED_TRACE(where.string());
        testing_support::WorkingDirectory inside(where);
        std::string ours = services->currentDirectory().getCurrentDirectory();
        ours.pop_back();
        EXPECT_EQ(ours, wineCurrentDirectory());
    }
}

TEST_F(RealPrefix, WinesFilesDrivesAndFoldersAreFound) {
    EXPECT_TRUE(services->fileExistsQuery().fileExists("C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL"));
    EXPECT_FALSE(services->fileExistsQuery().fileExists("c:\\windows\\system32\\no-such.dll"));
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(getSystemDirectory(services->folders())));
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(getWindowsDirectory(services->folders())));

    const auto fixed = services->driveEnumerator().enumerateDrives(DRIVE_FIXED);
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), "c:"), fixed.end());
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), "z:"), fixed.end());

    const std::string documents = getFolderPath(services->folders(), CSIDL_PERSONAL | CSIDL_FLAG_CREATE);
    EXPECT_EQ(documents.rfind("C:\\users\\", 0), 0u) << documents;
    EXPECT_TRUE(services->directoryExistsQuery().directoryExists(documents));
}

// A path as the peer program takes it: its UTF-16 code units in hexadecimal.
std::string peerArgument(const std::string& path) {
    std::string argument;
    const auto add = [&](unsigned unit) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s%04X", argument.empty() ? "" : ".", unit);
        argument += hex;
    };
    for (std::size_t i = 0; i < path.size();) {
        char32_t codePoint = 0;
        const std::size_t length = util::decodeUtf8(path, i, codePoint);
        EXPECT_NE(length, 0u) << path;
        i += length ? length : 1;
        if (codePoint < 0x10000) {
            add(codePoint);
        } else {
            add(0xD800 + ((codePoint - 0x10000) >> 10));
            add(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
    }
    return argument;
}

TEST_F(RealPrefix, NamesMatchWithCaseIgnoredAsWineMatchesThem) {
    const std::string peer = TAMBLIX_WINE_FILE_ATTRIBUTES;
    if (peer.empty()) GTEST_SKIP() << "no mingw-w64 to build the Wine peer";
    const auto tool = folder / "drive_c" / "Program Files" / "Tool";
    std::filesystem::create_directories(tool);
    for (const char* name : {"R\xc3\xa9sum\xc3\xa9.txt", "\xce\xa3\xce\xbf\xcf\x86\xce\xaf\xce\xb1.txt",
                             "\xce\xbb\xce\xad\xce\xbe\xce\xb9\xcf\x82.txt", "stra\xc3\x9f" "e.txt",
                             "\xc4\xb1rmak.txt", "istanbul.txt", "\xc7\x86ungla.txt", "\xe2\xb1\xa5.txt",
                             "\xea\xad\xb0.txt", "\xf0\x90\x90\xa8.txt", "kelvin.txt", "\xc2\xb5.txt"})
        std::ofstream(tool / name) << "x";
    const struct {
        const char* name;  // asked for in C:\PROGRAM FILES\TOOL
        bool found;
    } cases[] = {
        {"R\xc3\x89SUM\xc3\x89.TXT", true},                         // RÉSUMÉ.TXT
        {"RESUME.TXT", false},
        {"\xcf\x83\xce\x9f\xce\xa6\xce\x8a\xce\x91.TXT", true},  // σΟΦΊΑ.TXT
        {"\xce\x9b\xce\x88\xce\x9e\xce\x99\xce\xa3.TXT", false},  // ΛΈΞΙΣ: Σ is no final ς
        {"\xce\xbb\xce\xad\xce\xbe\xce\xb9\xcf\x83.txt", false},  // λέξισ: nor is σ
        {"STRA\xc3\x9f" "E.TXT", true},
        {"STRASSE.TXT", false},
        {"STRA\xe1\xba\x9e" "E.TXT", false},                          // capital sharp s
        {"IRMAK.TXT", false},
        {"\xc4\xb0STANBUL.TXT", false},                                // İSTANBUL
        {"ISTANBUL.TXT", true},
        {"\xc7\x84UNGLA.TXT", true},                                   // ǄUNGLA
        {"\xc7\x85ungla.txt", false},                                  // ǅungla, the title-case letter
        {"\xc8\xba.TXT", true},                                        // Ⱥ
        {"\xe1\x8e\xa0.TXT", true},                                    // Cherokee Ꭰ
        {"\xf0\x90\x90\x80.TXT", false},                              // Deseret, beyond U+FFFF
        {"\xe2\x84\xaa" "ELVIN.TXT", false},                           // Kelvin sign
        {"\xce\x9c.TXT", false},                                       // Μ is no micro sign
    };
    std::string arguments = "'" + peer + "'";
    for (const auto& c : cases) arguments += " " + peerArgument("C:\\PROGRAM FILES\\TOOL\\" + std::string(c.name));
    std::string output;
    ASSERT_EQ(testing_support::runWine(folder, arguments, &output), 0) << output;
    std::istringstream lines(output);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string answer, call;
        ASSERT_TRUE(lines >> answer >> call) << output;
        EXPECT_EQ(answer, c.found ? "found" : "missing") << "Wine's GetFileAttributes" << call;
        EXPECT_EQ(services->fileExistsQuery().fileExists("C:\\PROGRAM FILES\\TOOL\\" + std::string(c.name)), c.found);
    }
    const platform::prefix::PathResolver resolver(*prefix);
    const auto resolved = resolver.resolve("C:\\PROGRAM FILES\\TOOL\\R\xc3\x89SUM\xc3\x89.TXT");
    EXPECT_EQ(platform::prefix::windowsText(resolved.windows), "C:\\Program Files\\Tool\\R\xc3\xa9sum\xc3\xa9.txt");
}

}  // namespace
