#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/plugins/RegistryErrorRecord.h"
#include "engine/plugins/RegistryScanDefinitions.h"
#include "platform/failure/Exception.h"
#include "platform/registry/RegistryConstants.h"
#include "tests/engine/plugins/ScannerFixture.h"
#include "tests/support/TempDir.h"

using namespace scanner_testing;
using namespace windows::registry;

namespace {

const std::string LOAD_FAILURE = "An error occured when trying to load the ScanRegistry plugin.\n\n";

std::string document(const std::string& productInfo, const std::string& section) {
    return "<tamblix-definition><derivate-product-info>" + productInfo +
           "</derivate-product-info><modifications><scan-registry-for-errors-plugin>" + section +
           "</scan-registry-for-errors-plugin></modifications></tamblix-definition>";
}

const std::string DEFAULT_GROUP =
    "<Groups><Group name=\"Default\" heading=\"H\" descDataPointing=\"d\" descValuePointing=\"v\" "
    "descDefaultValue=\"e\"/></Groups>";

class Definitions : public ::testing::Test {
protected:
    std::string assertions() const {
        return std::filesystem::exists(scratch.path() / "assertion.txt") ? scratch.read("assertion.txt") : "";
    }

    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    RegistryScanDefinitions definitions;
};

TEST_F(Definitions, DocumentsAddUpAndClearingKeepsTheTexts) {
    loadRegistryScanDefinitions(
        definitionsXml(scanKey("HKEY_LOCAL_MACHINE", "Software") + scanKey("HKEY_CURRENT_USER", ""),
                       "<Keys><Entry key=\"HKEY_LOCAL_MACHINE\\Software\\Wine\"/></Keys>"
                       "<Paths><Entry regExp=\"^c:\\\\temp\"/></Paths>",
                       "<Group heading=\"Run\" info=\"i\" link=\"l\"><Entry key=\"A\"/><Entry key=\"B\"/></Group>"
                       "<Group heading=\"Later\"><Entry key=\"B\"/></Group>",
                       "First"),
        definitions);
    loadRegistryScanDefinitions(definitionsXml(scanKey("HKEY_CLASSES_ROOT", "CLSID"), "", "", "Second"), definitions);
    // A document without the section changes nothing, not even the product name.
    loadRegistryScanDefinitions("<tamblix-definition><derivate-product-info><name>Third</name>"
                                "</derivate-product-info></tamblix-definition>",
                                definitions);

    ASSERT_EQ(definitions.scanKeys.size(), 3u);
    EXPECT_EQ(definitions.scanKeys[0].root, ROOT_LOCAL_MACHINE);
    EXPECT_EQ(definitions.scanKeys[0].subkey, "Software");
    EXPECT_EQ(definitions.scanKeys[1].root, ROOT_CURRENT_USER);
    EXPECT_EQ(definitions.scanKeys[1].subkey, "");
    EXPECT_EQ(definitions.scanKeys[2].root, ROOT_CLASSES_ROOT);
    EXPECT_EQ(definitions.keyWhitelist, std::set<std::string>{"HKEY_LOCAL_MACHINE\\Software\\Wine"});
    EXPECT_EQ(definitions.pathWhitelist.patterns(), std::set<std::string>{"^c:\\\\temp"});
    EXPECT_EQ(definitions.productName, "Second");
    EXPECT_EQ(definitions.defaultHeading, "Registry");
    EXPECT_EQ(definitions.descDataPointing, "Data of %VALUE% under %KEY% points to %FILE%");
    EXPECT_EQ(definitions.groups.at("A").heading, "Run");
    EXPECT_EQ(definitions.groups.at("A").info, "i");
    EXPECT_EQ(definitions.groups.at("A").link, "l");
    EXPECT_EQ(definitions.groups.at("B").heading, "Later");
    EXPECT_EQ(definitions.groups.at("B").info, "");

    definitions.clear();
    EXPECT_TRUE(definitions.scanKeys.empty());
    EXPECT_TRUE(definitions.keyWhitelist.empty());
    EXPECT_TRUE(definitions.pathWhitelist.empty());
    EXPECT_TRUE(definitions.groups.empty());
    EXPECT_EQ(definitions.productName, "Second");
    EXPECT_EQ(definitions.descDefaultValue, "Default of %KEY% points to %FILE%");
    EXPECT_TRUE(assertions().empty());
}

TEST_F(Definitions, MalformedSectionsFailWithTheLoadTextAndKeepWhatCameBefore) {
    struct Case {
        const char* note;
        std::string xml;
        std::string reason;  // the start of the text after the plugin's own
        std::size_t scanKeysKept;
        std::string assertion;
    };
    const std::string twoKeys = "<ScanKeys><ScanKey root=\"HKEY_USERS\" subkey=\"\"/>"
                                "<ScanKey root=\"HKEY_LOCAL\" subkey=\"x\"/></ScanKeys>";
    const std::vector<Case> cases = {
        {"unknown root name", document("<name>P</name>", twoKeys + DEFAULT_GROUP),
         "Unable to convert the string 'HKEY_LOCAL' to a registry key.", 1, ""},
        {"root in lower case", document("<name>P</name>", "<ScanKeys><ScanKey root=\"hkey_users\" subkey=\"\"/>"
                                                          "</ScanKeys>" + DEFAULT_GROUP),
         "Unable to convert the string 'hkey_users' to a registry key.", 0, ""},
        {"scan key without subkey", document("<name>P</name>", "<ScanKeys><ScanKey root=\"HKEY_USERS\"/></ScanKeys>"),
         "", 0, ""},
        {"no product name", document("", "<ScanKeys><ScanKey root=\"HKEY_USERS\" subkey=\"\"/></ScanKeys>"), "", 0,
         "nameNodes.getLength() == 1"},
        {"no default group", document("<name>P</name>", "<ScanKeys><ScanKey root=\"HKEY_USERS\" subkey=\"\"/></ScanKeys>"),
         "", 1, "defaultNode.getLength() == 1"},
        {"default group without a template",
         document("<name>P</name>", "<Groups><Group name=\"Default\" heading=\"H\" descDataPointing=\"d\" "
                                    "descDefaultValue=\"e\"/></Groups>"),
         "", 0, ""},
        {"group without heading",
         document("<name>P</name>", DEFAULT_GROUP.substr(0, DEFAULT_GROUP.size() - 9) + "<Group><Entry key=\"k\"/></Group></Groups>"),
         "", 0, ""},
        {"group entry without key",
         document("<name>P</name>", DEFAULT_GROUP.substr(0, DEFAULT_GROUP.size() - 9) +
                                        "<Group heading=\"G\"><Entry/></Group></Groups>"),
         "", 0, ""},
        {"whitelist entry without pattern", document("<name>P</name>", "<Whitelist><Paths><Entry/></Paths></Whitelist>"),
         "", 0, ""},
        {"not XML", "<tamblix-definition><modifications>", "Error when loading the XML document from the memory.", 0,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        std::filesystem::remove(scratch.path() / "assertion.txt");
        RegistryScanDefinitions loaded;
        try {
            loadRegistryScanDefinitions(c.xml, loaded);
            ADD_FAILURE() << "loaded";
        } catch (const com::quorvex::products::tamblix::TamblixEngineException& failure) {
            EXPECT_EQ(failure.getMessage().rfind(LOAD_FAILURE + c.reason, 0), 0u) << failure.getMessage();
            EXPECT_GT(failure.getMessage().size(), LOAD_FAILURE.size());
        }
        EXPECT_EQ(loaded.scanKeys.size(), c.scanKeysKept);
        if (c.assertion.empty())
            EXPECT_EQ(assertions(), "");
        else
            EXPECT_NE(assertions().find("Assertion failed. Message: " + c.assertion + "\n"), std::string::npos);
    }
}

TEST_F(Definitions, TheFirstOfSeveralNamesAndDefaultGroupsIsUsedAndReported) {
    loadRegistryScanDefinitions(
        document("<name>One</name><name>Two</name>",
                 "<Groups><Group name=\"Default\" heading=\"H1\" descDataPointing=\"d1\" descValuePointing=\"v1\" "
                 "descDefaultValue=\"e1\"/><Group name=\"Default\" heading=\"H2\" descDataPointing=\"d2\" "
                 "descValuePointing=\"v2\" descDefaultValue=\"e2\"/></Groups>"),
        definitions);
    EXPECT_EQ(definitions.productName, "One");
    EXPECT_EQ(definitions.defaultHeading, "H1");
    EXPECT_EQ(definitions.descValuePointing, "v1");
    EXPECT_NE(assertions().find("Message: nameNodes.getLength() == 1\n"), std::string::npos);
    EXPECT_NE(assertions().find("Message: defaultNode.getLength() == 1\n"), std::string::npos);
}

RegistryErrorEntry entry(std::uint32_t root, const std::string& subkey, const std::string& name,
                         const std::string& data, bool namePoints) {
    RegistryErrorEntry found;
    found.root = root;
    found.subkey = subkey;
    found.valueName = name;
    found.data = RegistryData(data);
    found.namePoints = namePoints;
    return found;
}

TEST_F(Definitions, DescriptionsTakeTheLongestGroupPrefixAndEscapeWhatTheMachineGave) {
    loadRegistryScanDefinitions(
        definitionsXml(scanKey("HKEY_LOCAL_MACHINE", ""), "",
                       "<Group heading=\"Software\"><Entry key=\"HKEY_LOCAL_MACHINE\\Software\"/></Group>"
                       "<Group heading=\"&lt;i&gt;Run&lt;/i&gt;\"><Entry key=\"hkey_local_machine\\software\\"
                       "microsoft\\windows\\currentversion\\run\"/></Group>"
                       "<Group heading=\"Half a name\"><Entry key=\"HKEY_LOCAL_MACHINE\\Software\\Ven\"/></Group>"
                       "<Group heading=\"Whole root\"><Entry key=\"HKEY_USERS\"/></Group>"),
        definitions);
    struct Case {
        const char* note;
        RegistryErrorEntry found;
        std::string description;
    };
    const std::vector<Case> cases = {
        {"longest prefix, compared in lower case, heading mark-up kept",
         entry(ROOT_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Sub", "Tool",
               "\"C:\\Gone\\tool.exe\" /x", false),
         "<h3><i>Run</i></h3>Data of <b>Tool</b> under <b>HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
         "CurrentVersion\\Run\\Sub</b> points to <b>&quot;C:\\Gone\\tool.exe&quot; /x</b>"},
        {"a prefix must end at a backslash", entry(ROOT_LOCAL_MACHINE, "Software\\Vendor", "a", "c:\\x", false),
         "<h3>Software</h3>Data of <b>a</b> under <b>HKEY_LOCAL_MACHINE\\Software\\Vendor</b> points to <b>c:\\x</b>"},
        {"no group fits", entry(ROOT_CURRENT_USER, "Software", "a", "c:\\x", false),
         "<h3>Registry</h3>Data of <b>a</b> under <b>HKEY_CURRENT_USER\\Software</b> points to <b>c:\\x</b>"},
        {"a key directly below its root has a trailing backslash", entry(ROOT_USERS, "", "c:\\x", "", true),
         "<h3>Whole root</h3>Name of a value under <b>HKEY_USERS\\</b> is <b>c:\\x</b>"},
        {"machine text is escaped and its placeholders stay",
         entry(ROOT_CURRENT_USER, "Software\\<script>%FILE%", "a&b'%KEY%", "c:\\<gone>.exe", false),
         "<h3>Registry</h3>Data of <b>a&amp;b&#39;%KEY%</b> under <b>HKEY_CURRENT_USER\\Software\\&lt;script&gt;"
         "%FILE%</b> points to <b>c:\\&lt;gone&gt;.exe</b>"},
        {"a name that is the path", entry(ROOT_CURRENT_USER, "Software\\Shared", "C:\\A&B\\x.dll", "", true),
         "<h3>Registry</h3>Name of a value under <b>HKEY_CURRENT_USER\\Software\\Shared</b> is "
         "<b>C:\\A&amp;B\\x.dll</b>"},
        {"the default value", entry(ROOT_CURRENT_USER, "Software\\Shared", "", "c:\\x.exe", false),
         "<h3>Registry</h3>Default of <b>HKEY_CURRENT_USER\\Software\\Shared</b> points to <b>c:\\x.exe</b>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        const RegistryModification record = makeRegistryErrorRecord(c.found, definitions, 41);
        EXPECT_EQ(record.description, c.description);
        EXPECT_EQ(record.group, "41");
        EXPECT_FALSE(record.state.selected);
    }
}

TEST_F(Definitions, TemplatesKeepTheirMarkupAndEveryPlaceholderIsFilled) {
    loadRegistryScanDefinitions(
        document("<name>P</name>",
                 "<Groups><Group name=\"Default\" heading=\"Broken &amp; gone\" "
                 "descDataPointing=\"&lt;p&gt;%KEY% / %VALUE% / %FILE% / %KEY%&lt;/p&gt;\" descValuePointing=\"v\" "
                 "descDefaultValue=\"e\"/></Groups>"),
        definitions);
    const RegistryModification record =
        makeRegistryErrorRecord(entry(ROOT_CURRENT_USER, "K", "V", "c:\\f", false), definitions, 0);
    EXPECT_EQ(record.description, "<h3>Broken & gone</h3><p><b>HKEY_CURRENT_USER\\K</b> / <b>V</b> / <b>c:\\f</b> / "
                                  "<b>HKEY_CURRENT_USER\\K</b></p>");
}

}  // namespace
