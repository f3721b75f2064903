#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/file/FileExceptions.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/engine/AssertionLog.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"

using namespace engine_testing;
namespace registry = windows::registry;
using Lines = std::vector<std::string>;

namespace {

const std::string LOG_PATH = "C:\\users\\tester\\Documents\\My Demo Cleaner Logs\\2007-03-05 14.07.09.txt";
const std::string LOG_HEAD =
    "Demo Cleaner v1.2 log\nhttp://demo.example/\nTamblix Engine v0.048a\nhttp://www.quorvex.com/tamblix/\n\n";

RegistryModification registryRecord(std::uint32_t root, const std::string& subkey, int action,
                                     const std::string& valueName = "", bool selected = true) {
    RegistryModification record;
    record.root = root;
    record.subkey = subkey;
    record.action = action;
    record.valueName = valueName;
    record.state.selected = selected;
    static int group = 0;
    record.group = std::to_string(++group);
    return record;
}

RegistryModification withString(RegistryModification record, const std::string& text) {
    record.data.type = ModificationValue::TYPE_STRING;
    record.data.text = text;
    return record;
}

RegistryModification withDword(RegistryModification record, std::uint32_t number) {
    record.data.type = ModificationValue::TYPE_DWORD;
    record.data.number = number;
    return record;
}

FileModification fileRecord(const std::string& path, bool selected = true) {
    FileModification record;
    record.path = path;
    record.state.selected = selected;
    return record;
}

class EngineFix : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    EngineHarness h{{"first", "second"}};

    void SetUp() override {
        ProductInformation product;
        product.productName = "Demo Cleaner";
        product.productVersion = "1.2";
        product.productUrl = "http://demo.example/";
        product.troubleshootUrl = "http://demo.example/help";
        h.engine->setProductInformation(product);
        makeKey(registry::ROOT_CURRENT_USER, "Software\\Demo");
        setString(registry::ROOT_CURRENT_USER, "Software\\Demo", "Old", "gone");
        makeKey(registry::ROOT_CURRENT_USER, "Software\\Demo\\Obsolete\\Child");
        makeKey(registry::ROOT_LOCAL_MACHINE, "Software\\Demo");
    }

    void makeKey(std::uint32_t root, const std::string& path) {
        auto base = h.registry.openKey(root, "", registry::ACCESS_CREATE_SUB_KEY);
        h.registry.createWriter(base.get())->createSubkey(path, registry::ACCESS_ALL);
    }
    void setString(std::uint32_t root, const std::string& path, const std::string& name, const std::string& text) {
        auto key = h.registry.openKey(root, path, registry::ACCESS_SET_VALUE);
        h.registry.createWriter(key.get())->setString(name, text);
    }
    bool keyExists(std::uint32_t root, const std::string& path) {
        try {
            h.registry.openKey(root, path, registry::ACCESS_READ);
            return true;
        } catch (const registry::RegistryKeyNotFoundException&) {
            return false;
        }
    }
    std::string value(std::uint32_t root, const std::string& path, const std::string& name) {
        auto key = h.registry.openKey(root, path, registry::ACCESS_READ);
        auto reader = h.registry.createReader(key.get());
        return reader->valueExists(name) ? reader->readValue(name).toString() : "<none>";
    }

    // Scans with the given findings of the first plugin, then fixes.
    void scanAndFix(std::function<void(ScanResults&)> findings) {
        h.plugin(0).findings = std::move(findings);
        h.engine->scan();
        h.waitForWorker();
        ASSERT_EQ(h.engine->getState(), ENGINE_SCAN_FINISHED);
        h.observer.takeStates();
        h.engine->fix();
        h.waitForWorker();
    }
    std::vector<bool> applied() {
        std::vector<bool> flags;
        for (auto& r : h.engine->getScanResults().registryChanges) flags.push_back(r.state.applied);
        for (auto& r : h.engine->getScanResults().fileChanges) flags.push_back(r.state.applied);
        return flags;
    }
    std::string logText() { return h.files.files.count(LOG_PATH) ? h.files.files.at(LOG_PATH) : "<no log>"; }
};

TEST_F(EngineFix, MixedFixIsCarriedOutAndLoggedByteForByte) {
    const auto HKCU = registry::ROOT_CURRENT_USER;
    h.files.files["C:\\junk\\bad.exe"] = "x";
    h.files.files["C:\\junk\\keep.exe"] = "x";
    h.plugin(0).fixSection = "HOSTS file modifications\n------------------------\nAdded ads.example\n\n";
    h.plugin(1).definitions = false;
    scanAndFix([&](ScanResults& results) {
        results.registryChanges = {
            registryRecord(HKCU, "Software\\Demo\\Added", RegistryModification::ADD_SUBKEY),
            withDword(registryRecord(HKCU, "Software\\Demo", RegistryModification::SET_VALUE, "Level"), 7),
            withString(registryRecord(HKCU, "Software\\Demo", RegistryModification::SET_VALUE, "Name"), "Demo Pro"),
            withString(registryRecord(HKCU, "Software\\Demo", RegistryModification::REMOVE_VALUE, "Old"), "gone"),
            registryRecord(HKCU, "Software\\Demo\\Obsolete", RegistryModification::REMOVE_SUBKEY),
            withDword(registryRecord(registry::ROOT_LOCAL_MACHINE, "Software\\Demo",
                                     RegistryModification::SET_VALUE, "Skipped", false), 1),
        };
        results.fileChanges = {fileRecord("C:\\junk\\bad.exe"), fileRecord("C:\\junk\\gone.exe"),
                               fileRecord("C:\\junk\\keep.exe", false)};
    });

    EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FINISHED);
    EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_FIXING, ENGINE_FIX_FINISHED}));
    EXPECT_EQ(h.engine->getLogFilePath(), LOG_PATH);
    EXPECT_EQ(logText(), LOG_HEAD +
                             "Registry modifications\n"
                             "----------------------\n"
                             "Added subkey: HKCU\\Software\\Demo\\Added\n"
                             "New DWORD value: HKCU\\Software\\Demo\\Level=7\n"
                             "New STRING value: HKCU\\Software\\Demo\\Name=Demo Pro\n"
                             "Removed registry value: HKCU\\Software\\Demo,Old=gone\n"
                             "Removed subkey: HKCU\\Software\\Demo\\Obsolete\n"
                             "\n"
                             "File system modifications\n"
                             "-------------------------\n"
                             "Removed C:\\junk\\bad.exe\n"
                             "Removed C:\\junk\\gone.exe\n"
                             "\n"
                             "HOSTS file modifications\n------------------------\nAdded ads.example\n\n"
                             "No problems encountered during fixing\n"
                             "\n");
    EXPECT_EQ(applied(), (std::vector<bool>{true, true, true, true, true, false, true, true, false}));

    EXPECT_TRUE(keyExists(HKCU, "Software\\Demo\\Added"));
    EXPECT_EQ(value(HKCU, "Software\\Demo", "Level"), "7");
    EXPECT_EQ(value(HKCU, "Software\\Demo", "Name"), "Demo Pro");
    EXPECT_EQ(value(HKCU, "Software\\Demo", "Old"), "<none>");
    EXPECT_FALSE(keyExists(HKCU, "Software\\Demo\\Obsolete"));
    EXPECT_EQ(value(registry::ROOT_LOCAL_MACHINE, "Software\\Demo", "Skipped"), "<none>");
    EXPECT_EQ(h.files.files.count("C:\\junk\\bad.exe"), 0u);
    EXPECT_EQ(h.files.files.count("C:\\junk\\keep.exe"), 1u);

    // The documents folder is asked for with the create flag, the log folder made.
    EXPECT_EQ(h.files.folderQueries, Lines{"5 create"});
    EXPECT_EQ(h.files.directories.count("C:\\users\\tester\\Documents\\My Demo Cleaner Logs"), 1u);
    // Every plugin fixes; only those with definitions hear that the fix finished.
    const Lines calls = h.log->snapshot();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "first fix"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "second fix"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "first fixFinished"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "second fixFinished"), 0);
    EXPECT_TRUE(assertionMessages().empty());
}

TEST_F(EngineFix, NothingSelectedStillWritesTheLog) {
    scanAndFix([&](ScanResults& results) {
        results.registryChanges = {registryRecord(registry::ROOT_CURRENT_USER, "Software\\Demo\\X",
                                                  RegistryModification::ADD_SUBKEY, "", false)};
        results.fileChanges = {fileRecord("C:\\junk\\bad.exe", false)};
    });
    EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FINISHED);
    EXPECT_EQ(logText(), LOG_HEAD +
                             "No registry changes made\n\nNo file system changes made\n\n"
                             "No problems encountered during fixing\n\n");
}

TEST_F(EngineFix, FailedRecordsBecomeProblemLinesAndTheLogEndsWithTheTroubleshootingLine) {
    std::string missingKey;
    try {
        h.registry.openKey(registry::ROOT_CURRENT_USER, "Software\\Gone", registry::ACCESS_SET_VALUE);
    } catch (const registry::RegistryException& e) {
        missingKey = e.getMessage();
    }
    ASSERT_FALSE(missingKey.empty());
    h.files.files["C:\\junk\\locked.exe"] = "x";
    h.files.undeletable.insert("C:\\junk\\locked.exe");
    scanAndFix([&](ScanResults& results) {
        results.registryChanges = {
            withDword(registryRecord(registry::ROOT_CURRENT_USER, "Software\\Gone", RegistryModification::SET_VALUE,
                                     "Level"),
                      1),
            withDword(registryRecord(0x80000009u, "Software", RegistryModification::SET_VALUE, "Level"), 1),
            withDword(registryRecord(registry::ROOT_CURRENT_USER, "Software\\Demo", RegistryModification::SET_VALUE,
                                     "Level"),
                      2),
        };
        results.fileChanges = {fileRecord("C:\\junk\\locked.exe")};
    });
    const Lines problems = {missingKey, "Unable to convert the key '80000009' to a registry key string.",
                            "Couldn't delete the file 'C:\\junk\\locked.exe'."};
    EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FINISHED);
    EXPECT_EQ(h.engine->getFixProblems(), problems);
    EXPECT_EQ(applied(), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(logText(), LOG_HEAD +
                             "Registry modifications\n----------------------\n"
                             "New DWORD value: HKCU\\Software\\Demo\\Level=2\n\n"
                             "No file system changes made\n\n"
                             "Problems encountered during fixing:\n"
                             "-----------------------------------\n" +
                             problems[0] + "\n" + problems[1] + "\n" + problems[2] + "\n\n" +
                             "For troubleshooting, please visit http://demo.example/help\n\n");
}

TEST_F(EngineFix, EachKeyIsCreatedOrDeletedAtMostOncePerFix) {
    const auto HKCU = registry::ROOT_CURRENT_USER;
    scanAndFix([&](ScanResults& results) {
        results.registryChanges = {
            registryRecord(HKCU, "Software\\Demo\\Twice", RegistryModification::ADD_SUBKEY),
            registryRecord(HKCU, "Software\\Demo\\Twice", RegistryModification::ADD_SUBKEY),
            registryRecord(HKCU, "Software\\Demo\\Twice", RegistryModification::REMOVE_SUBKEY),
            registryRecord(HKCU, "Software\\Demo\\Obsolete", RegistryModification::REMOVE_SUBKEY),
            registryRecord(HKCU, "Software\\Demo\\Obsolete", RegistryModification::ADD_SUBKEY),
        };
        RegistryModification done = registryRecord(HKCU, "Software\\Demo\\Earlier", RegistryModification::ADD_SUBKEY);
        done.state.applied = true;
        results.registryChanges.push_back(done);
    });
    EXPECT_EQ(applied(), (std::vector<bool>{true, false, false, true, false, true}));
    EXPECT_TRUE(keyExists(HKCU, "Software\\Demo\\Twice"));
    EXPECT_FALSE(keyExists(HKCU, "Software\\Demo\\Obsolete"));
    EXPECT_FALSE(keyExists(HKCU, "Software\\Demo\\Earlier"));
    EXPECT_EQ(logText(), LOG_HEAD +
                             "Registry modifications\n----------------------\n"
                             "Added subkey: HKCU\\Software\\Demo\\Twice\n"
                             "Removed subkey: HKCU\\Software\\Demo\\Obsolete\n\n"
                             "No file system changes made\n\nNo problems encountered during fixing\n\n");
}

TEST_F(EngineFix, AKeyDirectlyBelowARootIsNeverRemoved) {
    makeKey(registry::ROOT_LOCAL_MACHINE, "Software\\Other");
    scanAndFix([&](ScanResults& results) {
        results.registryChanges = {
            registryRecord(registry::ROOT_LOCAL_MACHINE, "Software", RegistryModification::REMOVE_SUBKEY),
            registryRecord(registry::ROOT_LOCAL_MACHINE, "\\Software", RegistryModification::REMOVE_SUBKEY),
            registryRecord(registry::ROOT_LOCAL_MACHINE, "Software\\", RegistryModification::REMOVE_SUBKEY),
            registryRecord(registry::ROOT_CURRENT_USER, "Software\\", RegistryModification::ADD_SUBKEY),
            // Adding one is harmless and done: the root itself is the parent.
            registryRecord(registry::ROOT_CURRENT_USER, "Tamblix Test", RegistryModification::ADD_SUBKEY),
        };
    });
    EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FINISHED);
    EXPECT_EQ(h.engine->getFixProblems(),
              (Lines{"The registry key 'HKLM\\Software' was not removed: a key directly below a root key is never "
                     "removed.",
                     "The registry key 'HKLM\\\\Software' was not removed: a key directly below a root key is never "
                     "removed.",
                     "The registry key 'HKLM\\Software\\' was not removed: its path names no key.",
                     "The registry key 'HKCU\\Software\\' was not added: its path names no key."}));
    EXPECT_EQ(applied(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(keyExists(registry::ROOT_LOCAL_MACHINE, "Software\\Other"));
    EXPECT_TRUE(keyExists(registry::ROOT_CURRENT_USER, "Tamblix Test"));
    EXPECT_NE(logText().find("Added subkey: HKCU\\Tamblix Test\n"), std::string::npos);
    EXPECT_NE(logText().find("For troubleshooting, please visit http://demo.example/help\n\n"), std::string::npos);
}

TEST_F(EngineFix, ARunOfEqualGroupsIsCarriedOutWithItsFirstRecord) {
    const auto HKCU = registry::ROOT_CURRENT_USER;
    h.plugin(0).findings = [&](ScanResults& results) {
        for (const char* name : {"a", "b", "c", "d", "e"}) {
            auto record = withDword(registryRecord(HKCU, "Software\\Demo", RegistryModification::SET_VALUE, name), 1);
            record.state.selected = false;
            results.registryChanges.push_back(record);
        }
        const char* groups[] = {"run", "run", "run", "other", "other"};
        for (int i = 0; i < 5; ++i) results.registryChanges[i].group = groups[i];
    };
    h.engine->scan();
    h.waitForWorker();
    // The window shows one checkbox per run: the first record's.
    auto& records = h.engine->getScanResults().registryChanges;
    h.engine->setSelected({records[0].state.id, true});
    records[4].state.selected = true;  // not the run's checkbox: follows record 3
    h.engine->fix();
    h.waitForWorker();
    EXPECT_EQ(applied(), (std::vector<bool>{true, true, true, false, false}));
    EXPECT_EQ(value(HKCU, "Software\\Demo", "c"), "1");
    EXPECT_EQ(value(HKCU, "Software\\Demo", "e"), "<none>");
}

TEST_F(EngineFix, AValueOfAnUnknownTypeIsAnInternalError) {
    scanAndFix([&](ScanResults& results) {
        auto record = registryRecord(registry::ROOT_CURRENT_USER, "Software\\Demo", RegistryModification::SET_VALUE,
                                     "Odd");
        record.data.type = 7;
        results.registryChanges = {record};
    });
    EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FINISHED);
    EXPECT_EQ(assertionMessages(), Lines{"false"});
    EXPECT_EQ(applied(), std::vector<bool>{false});
    EXPECT_EQ(value(registry::ROOT_CURRENT_USER, "Software\\Demo", "Odd"), "<none>");
}

TEST_F(EngineFix, NoLogFolderMeansNothingIsChanged) {
    struct Case {
        const char* name;
        std::function<void(MemoryFileSystem&)> breakFiles;
        std::string messageStart;
    } cases[] = {
        {"the folder cannot be made",
         [](MemoryFileSystem& files) {
             files.uncreatable.insert("C:\\users\\tester\\Documents\\My Demo Cleaner Logs");
         },
         "IOException: Could not create the directory: 'C:\\users\\tester\\Documents\\My Demo Cleaner Logs'."},
        {"no documents folder", [](MemoryFileSystem& files) { files.failFolderQuery = true; },
         "Exception: Error when getting a folder path.\nFolder path id: 32773\nSystem error message: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness h({"first"});
        h.engine->setProductInformation([] {
            ProductInformation product;
            product.productName = "Demo Cleaner";
            return product;
        }());
        c.breakFiles(h.files);
        h.files.files["C:\\junk\\bad.exe"] = "x";
        h.plugin(0).findings = [](ScanResults& results) {
            results.registryChanges = {registryRecord(registry::ROOT_CURRENT_USER, "Software\\Added",
                                                      RegistryModification::ADD_SUBKEY)};
            results.fileChanges = {fileRecord("C:\\junk\\bad.exe")};
        };
        h.engine->scan();
        h.waitForWorker();
        h.engine->fix();
        h.waitForWorker();
        EXPECT_EQ(h.engine->getState(), ENGINE_FIX_FAILED);
        EXPECT_EQ(h.engine->getErrorMessage().rfind(c.messageStart, 0), 0u) << h.engine->getErrorMessage();
        EXPECT_FALSE(h.log->contains("first fix"));
        EXPECT_FALSE(h.log->contains("first fixFinished"));
        EXPECT_EQ(h.files.files.count("C:\\junk\\bad.exe"), 1u);
        EXPECT_FALSE(h.engine->getScanResults().registryChanges[0].state.applied);
        EXPECT_THROW(h.registry.openKey(registry::ROOT_CURRENT_USER, "Software\\Added", registry::ACCESS_READ),
                     registry::RegistryKeyNotFoundException);
        EXPECT_EQ(h.engine->getLogFilePath(), "");
    }
}

TEST_F(EngineFix, FailureTextsOfAFix) {
    // What was carried out before the failure stays carried out and marked; the
    // undo step (fixFinished) and the log path belong to fixes that ended well.
    struct Case {
        const char* name;
        std::function<void(EngineHarness&)> breakIt;
        std::string message;
        bool recordApplied;
    } cases[] = {
        {"the log cannot be written", [](EngineHarness& e) { e.files.failWrites = true; },
         "IOException: cannot write " + LOG_PATH, true},
        {"a registry failure outside a record",
         [](EngineHarness& e) {
             e.plugin(0).fixWork = [](ScanResults&) { throw registry::RegistryAccessDeniedException("denied"); };
         },
         "RegistryException: denied", false},
        {"another failure of the program",
         [](EngineHarness& e) { e.plugin(0).fixWork = [](ScanResults&) { throw TamblixEngineException("bad"); }; },
         "Exception: bad", false},
        {"anything else",
         [](EngineHarness& e) { e.plugin(0).fixWork = [](ScanResults&) { throw std::runtime_error("bad"); }; },
         "An unexpected exception (...) occured in TamblixEngineImpl::_fix()", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness e({"first"});
        ProductInformation product;
        product.productName = "Demo Cleaner";
        product.productVersion = "1.2";
        e.engine->setProductInformation(product);
        e.plugin(0).findings = [](ScanResults& results) {
            results.registryChanges = {registryRecord(registry::ROOT_CURRENT_USER, "Added",
                                                      RegistryModification::ADD_SUBKEY)};
        };
        c.breakIt(e);
        e.engine->scan();
        e.waitForWorker();
        e.observer.takeStates();
        e.engine->fix();
        e.waitForWorker();
        EXPECT_EQ(e.engine->getState(), ENGINE_FIX_FAILED);
        EXPECT_EQ(e.observer.takeStates(), (std::vector<int>{ENGINE_FIXING, ENGINE_FIX_FAILED}));
        EXPECT_EQ(e.engine->getErrorMessage(), c.message);
        EXPECT_EQ(e.engine->getScanResults().registryChanges[0].state.applied, c.recordApplied);
        EXPECT_FALSE(e.log->contains("first fixFinished"));
        EXPECT_EQ(e.engine->getLogFilePath(), "");
    }
}

}  // namespace
