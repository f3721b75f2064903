#include <gtest/gtest.h>

#include "platform/failure/LastError.h"
#include "platform/file/prefix/WindowsPath.h"

using namespace platform::prefix;

namespace {

AbsolutePath at(char drive, std::vector<std::string> names) {
    AbsolutePath path;
    path.drive = drive;
    path.names = std::move(names);
    return path;
}

TEST(WindowsPath, TextsBecomeAbsolutePathsAsWindowsReadsThem) {
    const AbsolutePath current = at('c', {"app", "bin"});
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\App\\APP.EXE", "C:\\Program Files\\App\\APP.EXE"},
        {"c:/windows/system32", "C:\\windows\\system32"},
        {"d:\\", "D:\\"},
        {".\\system\\x", "C:\\app\\bin\\system\\x"},
        {"system\\x", "C:\\app\\bin\\system\\x"},
        {"..\\x", "C:\\app\\x"},
        {"..\\..\\..\\..\\x", "C:\\x"},  // never above the root
        {"\\x\\y", "C:\\x\\y"},
        {"c:x", "C:\\app\\bin\\x"},      // the working directory of its own drive
        {"d:x", "D:\\x"},
        {"c:\\a\\.\\b\\..\\c\\\\d\\", "C:\\a\\c\\d"},
        {"c:\\name. . \\file.txt.", "C:\\name\\file.txt"},  // trailing dots and blanks dropped
        {"\\\\?\\unix\\work\\x", "\\\\?\\unix\\work\\x"},
        {"\\\\?\\C:\\long\\path", "C:\\long\\path"},
        {"\\\\.\\c:\\device", "C:\\device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        AbsolutePath path;
        int error = 0;
        ASSERT_TRUE(absolutePath(c.text, current, path, error));
        EXPECT_EQ(windowsText(path), c.expected);
    }
}

TEST(WindowsPath, RelativeTextsFollowAnUnmappedWorkingDirectory) {
    const AbsolutePath current = at(0, {"work", "x"});
    AbsolutePath path;
    int error = 0;
    ASSERT_TRUE(absolutePath("..\\y", current, path, error));
    EXPECT_EQ(windowsText(path), "\\\\?\\unix\\work\\y");
    ASSERT_TRUE(absolutePath("\\etc", current, path, error));
    EXPECT_EQ(windowsText(path), "\\\\?\\unix\\etc");
}

TEST(WindowsPath, RefusedTextsGiveTheWindowsError) {
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"", platform::winerror::PATH_NOT_FOUND},
        {"c:\\a*b", platform::winerror::INVALID_NAME},
        {"c:\\a?", platform::winerror::INVALID_NAME},
        {"c:\\<x>", platform::winerror::INVALID_NAME},
        {"c:\\a|b", platform::winerror::INVALID_NAME},
        {"c:\\\"quoted\"", platform::winerror::INVALID_NAME},
        {"c:\\a:b", platform::winerror::INVALID_NAME},
        {"c:\\dir\\d:\\x", platform::winerror::INVALID_NAME},
        {"c:\\tab\there", platform::winerror::INVALID_NAME},
        {"\\\\server\\share\\x", platform::winerror::BAD_NETPATH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        AbsolutePath path;
        int error = 0;
        EXPECT_FALSE(absolutePath(c.text, at('c', {}), path, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(WindowsPath, FindPatternsMatchWithCaseIgnored) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"app.exe", "*", true},        {"README", "*.*", true},     {"APP.EXE", "*.exe", true},
        {"app.exe", "a?p.*", true},    {"app.exe", "*.dll", false}, {"ab", "a?b", false},
        {"abcabd", "*ab?", true},      {"x", "", false},            {"setup.exe", "SETUP.EXE", true},
        // Case beyond ASCII as for names; ? is one UTF-16 code unit.
        {"R\xc3\xa9sum\xc3\xa9.txt", "R?SUM?.TXT", true},
        {"R\xc3\xa9sum\xc3\xa9.txt", "*\xc3\x89.TXT", true},
        {"stra\xc3\x9f" "e", "STRASSE", false},
        {"\xf0\x9f\x98\x80.txt", "?.txt", false},
        {"\xf0\x9f\x98\x80.txt", "??.txt", true},
        {"\xc9.txt", "?.txt", true},
        {"\xc9.txt", "\xc3\xa9.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " ~ " + c.pattern);
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches);
    }
}

}  // namespace
