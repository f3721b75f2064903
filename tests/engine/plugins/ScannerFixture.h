#pragma once
// The registry scanner over an in-memory registry and file system, with a fake
// documents folder, clocks and file writer, and definitions built from parts.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/plugins/ProductLogFolder.h"
#include "engine/plugins/ScanRegistryForErrorsImpl.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileWriter.h"
#include "platform/file/FolderCalls.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "platform/util/Clocks.h"
#include "tests/support/TempDir.h"

namespace scanner_testing {

using namespace com::quorvex::products::tamblix;

struct FakeTicks : TickClock {
    std::uint32_t now = 0;
    // Added to now after every reading.
    std::uint32_t step = 0;
    std::uint32_t getTickCount() override {
        const std::uint32_t reading = now;
        now += step;
        return reading;
    }
};

// The local time the test sets.
struct FakeLocalTime : LocalClock {
    std::tm time{};
    std::tm now() override { return time; }
};

// Only the shell folders are asked for.
struct FakeFolders : platform::file::FolderCalls {
    std::vector<int> asked;
    bool getCurrentDirectory(std::string&) override { return false; }
    bool setCurrentDirectory(const std::string&) override { return false; }
    bool getSystemDirectory(std::string&) override { return false; }
    bool getWindowsDirectory(std::string&) override { return false; }
    bool getVersion(platform::file::SystemVersion&) override { return false; }
    bool getFolderPath(int folder, bool, std::string& path) override {
        asked.push_back(folder);
        path = "C:\\users\\tester\\Documents";
        return true;
    }
};

struct FakeWriter : platform::file::FileWriter {
    std::map<std::string, std::vector<char>> files;
    bool fail = false;
    void writeFile(const std::string& path, const std::vector<char>& bytes, int) override {
        if (fail) throw io::filesystem::SaveFileException("Could not save the file " + path);
        files[path] = bytes;
    }
};

struct RecordingProgress : ScanProgressListener {
    std::vector<std::string> texts;
    std::function<void(const std::string&)> onText;
    void progress(std::string text) override {
        texts.push_back(text);
        if (onText) onText(texts.back());
    }
};

// A ScanKey element.
inline std::string scanKey(const std::string& root, const std::string& subkey) {
    return "<ScanKey root=\"" + root + "\" subkey=\"" + subkey + "\"/>";
}

// A whole definitions document with the scanner's section; parts go into it as written.
inline std::string definitionsXml(const std::string& scanKeys, const std::string& whitelist = "",
                                  const std::string& groups = "", const std::string& productName = "Cleaner") {
    return "<?xml version=\"1.0\"?>\n<tamblix-definition>\n"
           "<derivate-product-info><name>" + productName + "</name></derivate-product-info>\n"
           "<modifications><scan-registry-for-errors-plugin>\n"
           "<ScanKeys>" + scanKeys + "</ScanKeys>\n"
           "<Whitelist>" + whitelist + "</Whitelist>\n"
           "<Groups><Group name=\"Default\" heading=\"Registry\" "
           "descDataPointing=\"Data of %VALUE% under %KEY% points to %FILE%\" "
           "descValuePointing=\"Name of a value under %KEY% is %FILE%\" "
           "descDefaultValue=\"Default of %KEY% points to %FILE%\"/>" + groups + "</Groups>\n"
           "</scan-registry-for-errors-plugin></modifications>\n</tamblix-definition>\n";
}

// Registry file text: the header, then key blocks as written.
inline std::string hiveText(const std::string& relativeTo, const std::string& keys) {
    return "WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n\n#arch=win64\n" + keys;
}

inline std::string keyBlock(const std::string& path, const std::string& lines = "") {
    return "\n[" + path + "] 1700427978\n#time=1da1b2c3d4e5f60\n" + lines;
}

class ScannerTest : public ::testing::Test {
protected:
    ScannerTest() : files({"c:\\tools\\tool.exe", "c:\\windows\\notepad.exe"}, {"c:\\tools", "c:\\windows"}) {
        registry.variables().set("SystemRoot", "C:\\windows");
    }

    void importMachine(const std::string& keys) {
        registry.importHive(windows::registry::tree::HiveId::MACHINE, hiveText("REGISTRY\\\\Machine", keys));
    }
    void importUser(const std::string& keys) {
        registry.importHive(windows::registry::tree::HiveId::USER,
                            hiveText("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", keys));
    }

    void scan() {
        results = ScanResults();
        scanner.scan(results, &progress);
    }

    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    windows::registry::memory::MemoryRegistryService registry;
    platform::file::memory::MemoryFileSystem files;
    FakeWriter writer;
    FakeFolders folders;
    ProductLogFolder logFolder{folders};
    FakeLocalTime localTime;
    FakeTicks ticks;
    RecordingProgress progress;
    ScanRegistryForErrorsImpl scanner{registry, writer, files, files, files, logFolder, localTime, ticks};
    ScanResults results;
};

}  // namespace scanner_testing
