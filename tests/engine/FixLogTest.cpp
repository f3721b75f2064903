#include <gtest/gtest.h>

#include "engine/FixLog.h"
#include "engine/SubkeyPath.h"
#include "engine/plugins/ProductLogFolder.h"

using namespace com::quorvex::products::tamblix;

namespace {

TEST(FixLog, NothingDoneGivesTheNoChangeLines) {
    FixLogContent content;
    content.productName = "Demo Cleaner";
    content.productVersion = "1.2";
    content.productUrl = "http://demo.example/";
    content.troubleshootUrl = "http://demo.example/help";
    EXPECT_EQ(composeFixLog(content),
              "Demo Cleaner v1.2 log\n"
              "http://demo.example/\n"
              "Tamblix Engine v0.048a\n"
              "http://www.quorvex.com/tamblix/\n"
              "\n"
              "No registry changes made\n"
              "\n"
              "No file system changes made\n"
              "\n"
              "No problems encountered during fixing\n"
              "\n");
}

TEST(FixLog, SectionsAppearInTheirOrderWithTheTroubleshootingLineLast) {
    FixLogContent content;
    content.productName = "P";
    content.productVersion = "2";
    content.productUrl = "u";
    content.troubleshootUrl = "http://t/";
    content.registryLines = {"Added subkey: HKCU\\A", "Removed subkey: HKLM\\B\\C"};
    content.fileLines = {"Removed c:\\x.exe"};
    content.pluginSections = "HOSTS\n-----\nline\n\n";
    content.problems = {"first problem", "second problem"};
    EXPECT_EQ(composeFixLog(content),
              "P v2 log\nu\nTamblix Engine v0.048a\nhttp://www.quorvex.com/tamblix/\n\n"
              "Registry modifications\n----------------------\n"
              "Added subkey: HKCU\\A\nRemoved subkey: HKLM\\B\\C\n\n"
              "File system modifications\n-------------------------\nRemoved c:\\x.exe\n\n"
              "HOSTS\n-----\nline\n\n"
              "Problems encountered during fixing:\n-----------------------------------\n"
              "first problem\nsecond problem\n\n"
              "For troubleshooting, please visit http://t/\n\n");
}

TEST(FixLog, FolderAndNameRule) {
    EXPECT_EQ(productLogFolder("C:\\users\\me\\Documents", "Demo"), "C:\\users\\me\\Documents\\My Demo Logs");
    EXPECT_EQ(fixLogName("2007-03-05 14:07", "09"), "\\2007-03-05 14.07.09.txt");
    EXPECT_EQ(productLogFolder("C:\\d", "Demo") + fixLogName("2007-03-05 14:07", "09"),
              "C:\\d\\My Demo Logs\\2007-03-05 14.07.09.txt");
}

TEST(SubkeyPath, CutAtTheLastBackslash) {
    struct Case {
        const char* subkey;
        const char* parent;
        const char* child;
        bool belowRoot;
    } cases[] = {
        {"Software\\Vendor\\App", "Software\\Vendor", "App", false},
        {"Software\\Vendor", "Software", "Vendor", false},
        {"Software", "", "Software", true},
        {"\\Software", "", "Software", true},
        {"Software\\", "Software", "", false},
        {"", "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subkey);
        const SubkeyPath path = splitSubkey(c.subkey);
        EXPECT_EQ(path.parent, c.parent);
        EXPECT_EQ(path.child, c.child);
        EXPECT_EQ(path.belowRoot, c.belowRoot);
    }
}

}  // namespace
