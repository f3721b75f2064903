#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "platform/failure/LastError.h"
#include "platform/file/prefix/PathResolver.h"
#include "tests/platform/file/PrefixFixture.h"
#include "tests/support/PermissionsBind.h"

using namespace platform::prefix;
using Outcome = PathResolver::Outcome;
namespace winerror = platform::winerror;

namespace {

class PathResolution : public file_tests::PrefixFixture {
protected:
    void SetUp() override {
        PrefixFixture::SetUp();
        file("Program Files/App/app.exe", "app");
        file("windows/system32/kernel32.dll", "k");
        file("Mixed/Both", "upper");
        file("Mixed/both", "lower");
        file("Docs/readme.TXT", "r");
        std::filesystem::create_symlink("Program Files/App", driveC / "linked");
        std::filesystem::create_symlink("missing-target", driveC / "Docs" / "dangling");
    }

    std::string relativeNative(const PathResolver::Resolved& resolved) const {
        const std::string base = (root / "dosdevices" / "c:").string();
        if (resolved.native.rfind(base, 0) == 0) return resolved.native.substr(base.size());
        return resolved.native;
    }
};

TEST_F(PathResolution, NamesMatchExactlyFirstThenWithCaseIgnored) {
    const PathResolver resolver(prefix());
    const struct {
        const char* path;
        const char* native;   // below c:
        const char* windows;  // with the names as they are on disk
    } cases[] = {
        {"C:\\Program Files\\App\\APP.EXE", "/Program Files/App/app.exe", "C:\\Program Files\\App\\app.exe"},
        {"c:\\WINDOWS\\SYSTEM32\\Kernel32.DLL", "/windows/system32/kernel32.dll", "C:\\windows\\system32\\kernel32.dll"},
        {"c:\\mixed\\Both", "/Mixed/Both", "C:\\Mixed\\Both"},
        {"c:\\MIXED\\both", "/Mixed/both", "C:\\Mixed\\both"},
        {"c:\\mixed\\BOTH", "/Mixed/Both", "C:\\Mixed\\Both"},  // of two matches the byte-wise smaller
        {"C:/program files/app/", "/Program Files/App", "C:\\Program Files\\App"},
        {"c:\\windows\\..\\docs\\README.txt", "/Docs/readme.TXT", "C:\\Docs\\readme.TXT"},
        {"c:\\LINKED\\App.exe", "/linked/app.exe", "C:\\linked\\app.exe"},
        {"C:", "", "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto resolved = resolver.resolve(c.path);
        ASSERT_EQ(resolved.outcome, Outcome::FOUND);
        EXPECT_EQ(relativeNative(resolved), c.native);
        EXPECT_EQ(windowsText(resolved.windows), c.windows);
    }
    EXPECT_EQ(testing_support::readFile(resolver.resolve("c:\\program files\\APP\\app.EXE").native), "app");
}

TEST_F(PathResolution, LettersBeyondAsciiMatchAsWindowsMatchesThem) {
    file("Program Files/Tool/R\xc3\xa9sum\xc3\xa9.txt", "cv");
    file("Greek/\xce\xa3\xce\xbf\xcf\x86\xce\xaf\xce\xb1.txt");  // Σοφία
    file("Greek/\xce\xbb\xce\xad\xce\xbe\xce\xb9\xcf\x82.txt");  // λέξις, with final sigma
    file("German/stra\xc3\x9f" "e.txt");
    file("Turkish/\xc4\xb1rmak.txt");                    // ırmak, dotless i
    file("Latin/\xe2\xb1\xa5.txt");                      // ⱥ, whose capital is shorter in UTF-8
    file("Bytes/\xc9t\xc3\xa9.txt");                      // a Latin-1 byte, not UTF-8
    const PathResolver resolver(prefix());
    const struct {
        const char* path;
        const char* windows;  // as on disk; nullptr: the last name is missing
    } cases[] = {
        {"C:\\PROGRAM FILES\\TOOL\\R\xc3\x89SUM\xc3\x89.TXT", "C:\\Program Files\\Tool\\R\xc3\xa9sum\xc3\xa9.txt"},
        {"c:\\program files\\tool\\RESUME.TXT", nullptr},
        {"c:\\GREEK\\\xcf\x83\xce\x9f\xce\xa6\xce\x8a\xce\x91.TXT",
         "C:\\Greek\\\xce\xa3\xce\xbf\xcf\x86\xce\xaf\xce\xb1.txt"},
        {"c:\\greek\\\xce\x9b\xce\x88\xce\x9e\xce\x99\xcf\x82.TXT",
         "C:\\Greek\\\xce\xbb\xce\xad\xce\xbe\xce\xb9\xcf\x82.txt"},
        {"c:\\greek\\\xce\x9b\xce\x88\xce\x9e\xce\x99\xce\xa3.TXT", nullptr},  // Σ is no final ς
        {"c:\\german\\STRA\xc3\x9f" "E.TXT", "C:\\German\\stra\xc3\x9f" "e.txt"},
        {"c:\\german\\STRASSE.TXT", nullptr},
        {"c:\\turkish\\IRMAK.TXT", nullptr},
        {"c:\\latin\\\xc8\xba.TXT", "C:\\Latin\\\xe2\xb1\xa5.txt"},
        {"c:\\bytes\\\xc9T\xc3\x89.TXT", "C:\\Bytes\\\xc9t\xc3\xa9.txt"},
        {"c:\\bytes\\\xc3\x89T\xc3\x89.TXT", nullptr},  // the byte is not the letter É
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto resolved = resolver.resolve(c.path);
        if (c.windows) {
            ASSERT_EQ(resolved.outcome, Outcome::FOUND);
            EXPECT_EQ(windowsText(resolved.windows), c.windows);
        } else {
            EXPECT_EQ(resolved.outcome, Outcome::LAST_MISSING);
            EXPECT_EQ(platform::getLastError(), winerror::FILE_NOT_FOUND);
        }
    }
    // What the services build on: the file is there, and it is the one removed.
    EXPECT_TRUE(services().fileExistsQuery().fileExists("C:\\PROGRAM FILES\\TOOL\\R\xc3\x89SUM\xc3\x89.TXT"));
    services().fileRemover().removeFile("c:\\program files\\tool\\r\xc3\x89sum\xc3\x89.txt");
    EXPECT_FALSE(std::filesystem::exists(driveC / "Program Files" / "Tool" / "R\xc3\xa9sum\xc3\xa9.txt"));
}

TEST_F(PathResolution, FailuresGiveTheWindowsCodes) {
    drive("e:", "../nowhere");
    const PathResolver resolver(prefix());
    const struct {
        const char* path;
        Outcome outcome;
        int error;
    } cases[] = {
        {"c:\\windows\\missing.dll", Outcome::LAST_MISSING, winerror::FILE_NOT_FOUND},
        {"c:\\WINDOWS\\newfolder\\", Outcome::LAST_MISSING, winerror::FILE_NOT_FOUND},
        {"c:\\nofolder\\x.dll", Outcome::FAILED, winerror::PATH_NOT_FOUND},
        {"c:\\windows\\system32\\kernel32.dll\\x", Outcome::FAILED, winerror::PATH_NOT_FOUND},
        {"c:\\docs\\dangling\\x", Outcome::FAILED, winerror::PATH_NOT_FOUND},
        {"q:\\x", Outcome::FAILED, winerror::PATH_NOT_FOUND},
        {"e:\\x", Outcome::FAILED, winerror::PATH_NOT_FOUND},
        {"c:\\bad*name", Outcome::FAILED, winerror::INVALID_NAME},
        {"c:\\windows\\system32\\kernel32.dll\\", Outcome::FAILED, winerror::INVALID_NAME},
        {"\\\\server\\share\\file", Outcome::FAILED, winerror::BAD_NETPATH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        platform::setLastError(0);
        const auto resolved = resolver.resolve(c.path);
        EXPECT_EQ(resolved.outcome, c.outcome);
        EXPECT_EQ(platform::getLastError(), c.error);
    }
    const auto missing = resolver.resolve("c:\\windows\\NEW.dll");
    EXPECT_EQ(relativeNative(missing), "/windows/NEW.dll");  // where it would be made
}

TEST_F(PathResolution, ALinkWhoseTargetIsMissingIsThereAsTheLastName) {
    const PathResolver resolver(prefix());
    const auto resolved = resolver.resolve("c:\\docs\\DANGLING");
    ASSERT_EQ(resolved.outcome, Outcome::FOUND);
    EXPECT_TRUE(S_ISLNK(resolved.info.st_mode));
}

TEST_F(PathResolution, RefusedAccessIsError5) {
    folder("locked/inner");
    const testing_support::PermissionsBind asAnyUser;
    ::chmod((driveC / "locked").c_str(), 0);
    const PathResolver resolver(prefix());
    EXPECT_EQ(resolver.resolve("c:\\locked\\inner\\x").outcome, Outcome::FAILED);
    EXPECT_EQ(platform::getLastError(), winerror::ACCESS_DENIED);
    ::chmod((driveC / "locked").c_str(), 0755);
}

TEST_F(PathResolution, RelativePathsFollowTheWorkingDirectory) {
    drive("D:", "../drive_d");  // an upper-case entry is found too
    std::filesystem::create_directories(root / "drive_d" / "Data");
    const PathResolver resolver(prefix());
    testing_support::WorkingDirectory inside(driveC / "windows");
    const struct {
        const char* path;
        const char* windows;
    } cases[] = {
        {"system32\\KERNEL32.dll", "C:\\windows\\system32\\kernel32.dll"},
        {".\\System32", "C:\\windows\\system32"},
        {"..\\docs", "C:\\Docs"},
        {"\\Mixed", "C:\\Mixed"},
        {"d:\\data", "D:\\Data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto resolved = resolver.resolve(c.path);
        ASSERT_EQ(resolved.outcome, Outcome::FOUND);
        EXPECT_EQ(windowsText(resolved.windows), c.windows);
    }
}

// Lookups in one folder share its listing; a change of the folder is seen at
// once, whether it was listed just now or long ago.
TEST_F(PathResolution, ListingsFollowChangesOfTheFolder) {
    const PathResolver resolver(prefix());
    EXPECT_EQ(resolver.resolve("c:\\docs\\NEW.txt").outcome, Outcome::LAST_MISSING);
    file("Docs/new.txt", "n");
    EXPECT_EQ(resolver.resolve("c:\\docs\\NEW.txt").outcome, Outcome::FOUND);

    // Aged past the clock's granularity, the listing is kept and still checked.
    std::this_thread::sleep_for(ListingCache::CHANGE_TIME_GRANULARITY + std::chrono::milliseconds(200));
    EXPECT_EQ(resolver.resolve("c:\\docs\\README.txt").outcome, Outcome::FOUND);
    std::filesystem::rename(driveC / "Docs" / "readme.TXT", driveC / "Docs" / "other.txt");
    EXPECT_EQ(resolver.resolve("c:\\docs\\README.txt").outcome, Outcome::LAST_MISSING);
    EXPECT_EQ(windowsText(resolver.resolve("c:\\docs\\OTHER.TXT").windows), "C:\\Docs\\other.txt");
}

// The worker thread and the main thread share the services.
TEST_F(PathResolution, ResolvesFromSeveralThreadsAtOnce) {
    const PathResolver resolver(prefix());
    testing_support::WorkingDirectory inside(driveC);
    std::vector<std::thread> threads;
    std::vector<int> found(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const char* paths[] = {"C:\\PROGRAM FILES\\app\\App.Exe", "windows\\System32\\KERNEL32.dll",
                                   "c:\\mixed\\BOTH", "c:\\docs\\missing.txt"};
            for (int i = 0; i < 200; ++i)
                if (resolver.resolve(paths[i % 4]).outcome == Outcome::FOUND) ++found[t];
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(found, std::vector<int>(4, 150));
}

}  // namespace
