#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <chrono>
#include <functional>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/prefix/PrefixMachine.h"
#include "engine/EngineStates.h"
#include "engine/FrameworkInfo.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/engine/definitions/ProductFixture.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace {

using namespace com::quorvex::products::tamblix;
using namespace testing_support;
namespace fs = std::filesystem;

const std::string DEFAULT_CAPTION = "Tamblix Derivate Application - Product name not set yet Error";

struct Shown {
    std::string caption;
    std::string text;
    unsigned style;
};

struct RecordingDisplay : MessageDisplay {
    std::vector<Shown> shown;
    void show(const std::string& caption, const std::string& text, unsigned style, void*) override {
        shown.push_back({caption, text, style});
    }
};

// The program file is where the test says, as the platform would name it.
struct FixedModuleInfo : ModuleInfo {
    std::string path;
    std::string getModuleFileName() override { return path; }
};

class TestMachine : public PrefixMachine {
public:
    TestMachine(const fs::path& prefix, const std::string& modulePath)
        : PrefixMachine(platform::prefix::WinePrefix(prefix)) {
        _module.path = modulePath;
    }
    ModuleInfo& moduleInfo() override { return _module; }

private:
    FixedModuleInfo _module;
};

// What the main job saw.
struct Seen {
    bool ran = false;
    std::string productName;
    std::string programFolder;
    fs::path workingDirectory;
    bool debug = false;
};

// A demo prefix with a product in C:\Program Files\Demo Product: its compressed
// files name the product "Packed", its plain ones "Plain".
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { makeProduct(); }

    void makeProduct() {
        prefix = scratch.path() / "prefix";
        fs::remove_all(prefix);
        tools::writeDemoPrefix(prefix, "demo");
        programFolder = prefix / "drive_c" / "Program Files" / "Demo Product";
        writeProduct(programFolder, definitionsDocument(productValues("Packed")),
                     definitionsDocument(productValues("Permanent")));
        const std::string plain = definitionsDocument(productValues("Plain"));
        scratch.write("prefix/drive_c/Program Files/Demo Product/system/definitions.xml", plain);
    }

    int start(const std::string& commandLine, const MainJob& job = {}) {
        StartupSettings settings;
        settings.commandLine = commandLine;
        settings.makeMachine = [this] { return std::make_unique<TestMachine>(prefix, modulePath); };
        settings.failureExitCode = 3;
        const MainJob recording = [&](StartedProduct& product) {
            seen.ran = true;
            seen.productName = product.engine.getProductName();
            seen.programFolder = product.programFolder;
            seen.workingDirectory = fs::current_path();
            seen.debug = product.debug;
            return job ? job(product) : 0;
        };
        // Start-up changes the working directory; the test's own comes back.
        const WorkingDirectory back(fs::current_path());
        return startProduct(settings, display, recording);
    }

    fs::path system(const std::string& name) const { return programFolder / "system" / name; }
    void replace(const std::string& name, const std::vector<char>& bytes) const {
        std::ofstream(system(name), std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    }
    // The one message shown, which must be an error.
    Shown onlyError() {
        EXPECT_EQ(display.shown.size(), 1u);
        if (display.shown.empty()) return {};
        EXPECT_EQ(display.shown[0].style, MESSAGE_STYLE_ERROR);
        return display.shown[0];
    }

    TempDir scratch;
    fs::path prefix;
    fs::path programFolder;
    std::string modulePath = "C:\\Program Files\\Demo Product\\tamblix.exe";
    RecordingDisplay display;
    Seen seen;
};

TEST_F(StartupTest, OnlyTheSingleWordDebugSelectsThePlainFiles) {
    struct Case {
        const char* commandLine;
        bool debug;
    };
    const Case cases[] = {
        {"tamblix.exe", false},
        {"tamblix.exe debug", true},
        {"tamblix.exe DEBUG", false},
        {"tamblix.exe Debug", false},
        {"tamblix.exe debug debug", false},
        {"tamblix.exe debug now", false},
        {"tamblix.exe \"debug\"", true},
        {"\"C:\\Program Files\\Demo Product\\tamblix.exe\" debug", true},
        {"\"C:\\Program Files\\Demo Product\\tamblix.exe\"", false},
        {"tamblix.exe   debug  ", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        seen = Seen();
        EXPECT_EQ(start(c.commandLine), 0);
        EXPECT_TRUE(display.shown.empty());
        EXPECT_EQ(seen.debug, c.debug);
        EXPECT_EQ(seen.productName, c.debug ? "Plain name" : "Packed name");
    }
}

TEST_F(StartupTest, TheProgramFolderBecomesTheWorkingDirectoryWithQuotesRemoved) {
    modulePath = "\"C:\\Program Files\\Demo Product\\tamblix.exe\"";
    EXPECT_EQ(start("\"C:\\Program Files\\Demo Product\\tamblix.exe\" debug"), 0);
    EXPECT_TRUE(seen.ran);
    EXPECT_TRUE(seen.debug);
    EXPECT_EQ(seen.programFolder, "C:\\Program Files\\Demo Product\\");
    EXPECT_EQ(fs::canonical(seen.workingDirectory), fs::canonical(programFolder));
    EXPECT_EQ(seen.productName, "Plain name");
}

TEST_F(StartupTest, TheSignatureFileMustExistInDebugModeToo) {
    fs::remove(system("definitions-sig.xml"));
    EXPECT_EQ(start("tamblix.exe debug"), 3);
    EXPECT_FALSE(seen.ran);
    const Shown error = onlyError();
    EXPECT_EQ(error.caption, DEFAULT_CAPTION);
    EXPECT_EQ(error.text.rfind("An exception occured: ", 0), 0u) << error.text;
    EXPECT_NE(error.text.find("definitions-sig.xml"), std::string::npos) << error.text;
}

TEST_F(StartupTest, TheMissingPublicKeyIsReportedFirst) {
    for (const char* name : {"publickey.dat", "definitions.xml.tam", "permanent-definitions.xml.tam",
                             "definitions-sig.xml"})
        fs::remove(system(name));
    EXPECT_EQ(start("tamblix.exe"), 3);
    EXPECT_FALSE(seen.ran);
    const Shown error = onlyError();
    EXPECT_EQ(error.caption, DEFAULT_CAPTION);
    EXPECT_EQ(error.text.rfind("An exception occured: ", 0), 0u) << error.text;
    EXPECT_NE(error.text.find("publickey.dat"), std::string::npos) << error.text;
    EXPECT_EQ(error.text.find("definitions"), std::string::npos) << error.text;
}

TEST_F(StartupTest, ASignatureMismatchIsOneErrorWithTheDefaultCaption) {
    const std::string other = definitionsDocument(productValues("Forged"));
    replace("definitions.xml.tam", packed(other));
    EXPECT_EQ(start("tamblix.exe"), 3);
    EXPECT_FALSE(seen.ran);
    const Shown error = onlyError();
    EXPECT_EQ(error.caption, DEFAULT_CAPTION);
    EXPECT_EQ(error.text, "An exception occured: The signature did not match the signed data. Public key size: " +
                              std::to_string(testKeys().publicKeyBlob.size()) +
                              ". XML data size: " + std::to_string(other.size()) + ". Signature size: 128.");
}

TEST_F(StartupTest, FailuresOfPreparationAndTheirTexts) {
    struct Case {
        const char* what;
        std::function<void()> spoil;
        std::string commandLine;
        std::string text;  // the whole text, or its beginning when it ends in "..."
    };
    const std::string lookup = "An exception occured: Could not get the value in the xml file(s) for the following "
                               "path: //tamblix-definition/derivate-product-info/";
    const Case cases[] = {
        {"malformed plain definitions",
         [&] { scratch.write("prefix/drive_c/Program Files/Demo Product/system/definitions.xml", "<tamblix-definition>"); },
         "tamblix.exe debug",
         "An exception occured when reading or parsing the XML file: Error when loading the XML document from the "
         "memory.\n\n..."},
        {"no name in either document",
         [&] {
             scratch.write("prefix/drive_c/Program Files/Demo Product/system/definitions.xml",
                           definitionsDocument(without(productValues("Plain"), "name")));
             scratch.write("prefix/drive_c/Program Files/Demo Product/system/permanent-definitions.xml",
                           documentWithoutProductInformation());
         },
         "tamblix.exe debug", lookup + "name"},
        {"an unmatched quote", [] {}, "\"C:\\Program Files\\tamblix.exe debug",
         // The converter shows the command line with the blank it appends to end the last token.
         "An exception occured: Unmatched \" found when parsing command line: \"C:\\Program Files\\tamblix.exe debug "},
        {"a container that is none", [&] { replace("permanent-definitions.xml.tam", bytesOf("no")); },
         "tamblix.exe",
         "An exception occured: Error decompressing data in 'ZlibUncompressionStream::uncompress'.\nThe compressed "
         "data size is too small.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        makeProduct();
        display.shown.clear();
        seen = Seen();
        c.spoil();
        EXPECT_EQ(start(c.commandLine), 3);
        EXPECT_FALSE(seen.ran);
        const Shown error = onlyError();
        EXPECT_EQ(error.caption, DEFAULT_CAPTION);
        if (c.text.size() > 3 && c.text.compare(c.text.size() - 3, 3, "...") == 0) {
            const std::string start = c.text.substr(0, c.text.size() - 3);
            EXPECT_EQ(error.text.substr(0, start.size()), start);
            EXPECT_GT(error.text.size(), start.size());
        } else {
            EXPECT_EQ(error.text, c.text);
        }
    }
}

TEST_F(StartupTest, FailuresAfterLoadingCarryTheProductsName) {
    EXPECT_EQ(start("tamblix.exe", [](StartedProduct&) -> int {
                  throw windows::registry::RegistryException("The window position could not be read.");
              }),
              3);
    EXPECT_EQ(onlyError().caption, "Packed name Error");
    EXPECT_EQ(display.shown[0].text, "An exception occured: The window position could not be read.");

    display.shown.clear();
    EXPECT_EQ(start("tamblix.exe", [](StartedProduct&) -> int { throw 42; }), 3);
    const Shown error = onlyError();
    EXPECT_EQ(error.caption, "Packed name Error");
    EXPECT_EQ(error.text, "An unexpected exception occured. Please contact " + supportContact() +
                              " and include this message.\nTamblix Framework  v0.048a\n");
}

TEST_F(StartupTest, TheVendorKeyIsMadeAndHoldsTheSettings) {
    const auto settingsRoundTrip = [](StartedProduct& product) {
        product.settings.setInt("WindowLeft", 120);
        return product.settings.getInt("WindowLeft") == 120 ? 0 : 1;
    };
    EXPECT_EQ(start("tamblix.exe", settingsRoundTrip), 0);
    // Again, with the key already there.
    EXPECT_EQ(start("tamblix.exe", settingsRoundTrip), 0);
    EXPECT_TRUE(display.shown.empty());

    windows::registry::RegistryServiceImpl registry{platform::prefix::WinePrefix(prefix)};
    const auto key = registry.openKey(windows::registry::ROOT_CURRENT_USER, "Software\\Tamblix",
                                      windows::registry::ACCESS_READ);
    EXPECT_EQ(key->getFullName(), "HKEY_CURRENT_USER\\Software\\Tamblix");
}


// An update as the product runs it: start-up's own updater and sessions against a
// loopback server, then the next start in normal mode.
class StartupUpdateTest : public StartupTest {
protected:
    static std::vector<ProductValue> valuesAt(const std::string& tag, const std::string& counter,
                                              const std::string& updateUrl) {
        std::vector<ProductValue> values = productValues(tag, counter);
        for (ProductValue& value : values)
            if (value.key == "tamblix-update-url") value.text = updateUrl;
        return values;
    }

    void SetUp() override {
        StartupTest::SetUp();
        const std::string description = server.url("/update.xml");
        writeProduct(programFolder, definitionsDocument(valuesAt("Packed", "7", description)),
                     definitionsDocument(productValues("Permanent")));
        scratch.write("prefix/drive_c/Program Files/Demo Product/system/definitions.xml",
                      definitionsDocument(valuesAt("Plain", "7", description)));
        newer = definitionsDocument(valuesAt("Newer", "8", description));
        const std::vector<char> container = packed(newer);
        server.serve("/d/definitions.xml.tam", std::string(container.begin(), container.end()));
        server.serve("/d/definitions-sig.xml", signatureDocument(newer, testKeys().privateKeyPem));
        server.serve("/update.xml", "<tamblix-update><derivate-product-info><update-counter>8</update-counter><items>"
                                    "<item type=\"tamblix-definition\" size=\"" +
                                        std::to_string(container.size()) + "\"><url>" +
                                        server.url("/d/definitions.xml.tam") +
                                        "</url></item></items></derivate-product-info></tamblix-update>");
    }

    struct Updated {
        int state = -1;
        std::string error;
        std::string productName;
        int counter = 0;
    };

    // Starts the product, runs one update and waits for its end state.
    Updated update(const std::string& commandLine, bool cancelAtOnce = false) {
        Updated updated;
        const int code = start(commandLine, [&](StartedProduct& product) {
            product.engine.update();
            if (cancelAtOnce) product.engine.cancel();
            for (int i = 0; i < 6000 && (product.engine.getState() == ENGINE_READY ||
                                         product.engine.getState() == ENGINE_UPDATING);
                 ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            product.engine.removeObserver(nullptr);  // waits for the worker
            updated = {product.engine.getState(), product.engine.getErrorMessage(), product.engine.getProductName(),
                       product.engine.getDefinitionsVersion()};
            return 0;
        });
        EXPECT_EQ(code, 0);
        return updated;
    }

    testing_support::LoopbackHttpServer server;
    std::string newer;
};

TEST_F(StartupUpdateTest, BothModesInstallTheSignedPairAndTakeItAtOnce) {
    for (const char* commandLine : {"tamblix.exe", "tamblix.exe debug"}) {
        SCOPED_TRACE(commandLine);
        makeProduct();
        SetUp();
        const Updated updated = update(commandLine);
        EXPECT_EQ(updated.error, "");
        EXPECT_EQ(updated.state, ENGINE_UPDATE_FINISHED_UPDATED);
        EXPECT_EQ(updated.productName, "Newer name");
        EXPECT_EQ(updated.counter, 8);
        // The next start in normal mode finds the new pair whole and verified.
        display.shown.clear();
        EXPECT_EQ(start("tamblix.exe"), 0);
        EXPECT_EQ(seen.productName, "Newer name");
        EXPECT_TRUE(display.shown.empty());
        EXPECT_FALSE(fs::exists(system("definitions-install.journal")));
    }
}

TEST_F(StartupUpdateTest, ACancelRightAfterTheStartEndsTheUpdateWithNothingSaved) {
    server.hold("/update.xml");
    const Updated updated = update("tamblix.exe", true);
    EXPECT_EQ(updated.state, ENGINE_UPDATE_CANCELLED);
    EXPECT_EQ(updated.productName, "Packed name");
    EXPECT_EQ(start("tamblix.exe"), 0);
    EXPECT_EQ(seen.productName, "Packed name");
}

TEST_F(StartupUpdateTest, AnInstallStoppedAfterItsJournalIsFinishedByTheNextStart) {
    // What an install that was killed after its journal leaves: the new pair's
    // spares, the journal, and the installed definitions already replaced.
    const std::vector<char> container = packed(newer);
    const std::string signature = signatureDocument(newer, testKeys().privateKeyPem);
    replace("definitions.xml.tam.new", container);
    replace("definitions-sig.xml.new", bytesOf(signature));
    replace("definitions.xml.tam", container);
    replace("definitions-install.journal", bytesOf("Tamblix definitions install\n" + std::to_string(container.size()) +
                                                   "\n" + std::to_string(signature.size()) + "\n"));
    EXPECT_EQ(start("tamblix.exe"), 0);
    EXPECT_EQ(seen.productName, "Newer name");
    for (const char* spare : {"definitions.xml.tam.new", "definitions-sig.xml.new", "definitions-install.journal"})
        EXPECT_FALSE(fs::exists(system(spare))) << spare;
}

}  // namespace
