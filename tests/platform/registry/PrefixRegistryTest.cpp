#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <set>
#include <thread>

#include "platform/failure/LastError.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/prefix/PrefixHive.h"
#include "tests/platform/registry/MemoryRegistryFixture.h"
#include "tests/platform/registry/PrefixFixture.h"
#include "tests/support/PermissionsBind.h"

namespace registry_test {
namespace {

using windows::registry::RegistryServiceImpl;
namespace fs = std::filesystem;

struct FileState {
    std::string bytes;
    ino_t inode = 0;
    std::int64_t modified = 0;
    bool operator==(const FileState&) const = default;
};

std::vector<std::string> blocksOf(const std::string& text) {
    std::vector<std::string> blocks;
    std::size_t start = 0;
    for (std::size_t next; (next = text.find("\n[", start + 1)) != std::string::npos; start = next)
        blocks.push_back(text.substr(start, next - start));
    blocks.push_back(text.substr(start));
    return blocks;
}

class PrefixRegistry : public ScratchPrefix {
protected:
    void SetUp() override {
        ScratchPrefix::SetUp();
        writeFile("system.reg", machineHive());
        writeFile("user.reg", userHive());
        writeFile("userdef.reg", defaultUserHive());
    }

    FileState state(const std::string& name) const {
        struct stat status {};
        ::stat((prefix / name).c_str(), &status);
        return {readFile(name), status.st_ino, status.st_mtim.tv_sec * 1000000000ll + status.st_mtim.tv_nsec};
    }
    std::vector<FileState> states() const { return {state("system.reg"), state("user.reg"), state("userdef.reg")}; }

    static void setValue(RegistryService& registry, std::uint32_t root, const std::string& subkey,
                         const std::string& name, const std::string& text) {
        const auto key = registry.openKey(root, subkey, ACCESS_SET_VALUE);
        registry.createWriter(key.get())->setString(name, text);
    }
    static std::string readText(RegistryService& registry, std::uint32_t root, const std::string& subkey,
                                const std::string& name) {
        const auto key = registry.openKey(root, subkey, ACCESS_READ);
        return registry.createReader(key.get())->readValue(name).toString();
    }
    static int walk(RegistryService& registry, std::uint32_t root, const std::string& subkey) {
        const auto key = registry.openKey(root, subkey, ACCESS_READ);
        const auto reader = registry.createReader(key.get());
        int count = static_cast<int>(reader->enumValues().size());
        for (const auto& name : reader->enumSubkeys()) {
            try {
                count += walk(registry, root, subkey.empty() ? name : subkey + "\\" + name);
            } catch (const RegistryKeyNotFoundException&) {
                // Links that lead nowhere.
            }
        }
        return count;
    }
};

TEST_F(PrefixRegistry, ReadsTheThreeFilesAsTheirRootsAndLeavesThemAlone) {
    const auto before = states();
    {
        const auto registry = service();
        EXPECT_EQ(readText(*registry, ROOT_LOCAL_MACHINE, "Software\\Values", "e"), "C:\\windows\\notepad.exe");
        EXPECT_EQ(readText(*registry, ROOT_CLASSES_ROOT, ".txt", ""), "txtfile");
        EXPECT_EQ(readText(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "x1"), "100");
        EXPECT_EQ(readText(*registry, ROOT_USERS, "S-1-5-21-0-0-0-1000\\Software\\Vendor", "x1"), "100");
        EXPECT_EQ(readText(*registry, ROOT_USERS, ".Default\\Control Panel\\Desktop", "Wallpaper"), "none");
        EXPECT_EQ(readText(*registry, ROOT_CURRENT_CONFIG, "Software\\Fonts", "LogPixels"), "96");
        EXPECT_GT(walk(*registry, ROOT_LOCAL_MACHINE, ""), 10);
        // Nothing to change.
        setValue(*registry, ROOT_CURRENT_USER, "Environment", "TEMP", "C:\\temp");
    }
    EXPECT_EQ(states(), before);
}

TEST_F(PrefixRegistry, AModificationIsWrittenThroughATemporaryFileWhenItsKeyIsClosed) {
    fs::permissions(prefix / "user.reg", fs::perms(0640));
    const FileState before = state("user.reg");
    const FileState machine = state("system.reg");
    const auto registry = service();
    {
        const auto key = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        registry->createWriter(key.get())->setString("added", "yes");
        EXPECT_EQ(state("user.reg"), before) << "nothing is written while the key is open";
    }
    const FileState after = state("user.reg");
    EXPECT_NE(after.inode, before.inode) << "written to a new file renamed over the old one";
    EXPECT_EQ(fs::status(prefix / "user.reg").permissions(), fs::perms(0640));
    EXPECT_EQ(state("system.reg"), machine);
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator(prefix)) entries.insert(entry.path().filename().string());
    EXPECT_EQ(entries, (std::set<std::string>{"drive_c", "system.reg", "user.reg", "userdef.reg"}));

    // Only the changed key differs: its new value and its new time.
    const auto oldBlocks = blocksOf(before.bytes);
    const auto newBlocks = blocksOf(after.bytes);
    ASSERT_EQ(newBlocks.size(), oldBlocks.size());
    for (std::size_t i = 0; i < oldBlocks.size(); ++i) {
        if (oldBlocks[i].rfind("\n[Software\\\\Vendor] ", 0) != 0) {
            EXPECT_EQ(newBlocks[i], oldBlocks[i]);
            continue;
        }
        EXPECT_EQ(newBlocks[i].rfind("\n[Software\\\\Vendor] ", 0), 0u);
        EXPECT_EQ(newBlocks[i].find("#time=1da1b2c3d4e5f60"), std::string::npos) << "the time is updated";
        EXPECT_NE(newBlocks[i].find("\n\"added\"=\"yes\"\n\"x1\"=dword:00000064\n"), std::string::npos) << newBlocks[i];
    }
    EXPECT_EQ(readText(*service(), ROOT_CURRENT_USER, "Software\\Vendor", "added"), "yes");
}

// A symbolic link stays and the file it ends at is replaced; a hard-linked file is
// written in place, so that its other name shows the change too.
TEST_F(PrefixRegistry, LinkedFilesKeepTheirLinks) {
    struct Case {
        const char* label;
        std::function<void(const fs::path& file, const fs::path& other)> link;
        bool inPlace;
    };
    const Case cases[] = {
        {"symbolic link",
         [](const fs::path& file, const fs::path& other) {
             fs::rename(file, other);
             fs::create_symlink(other, file);
         },
         false},
        {"hard link", [](const fs::path& file, const fs::path& other) { fs::create_hard_link(file, other); }, true},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        writeFile("user.reg", userHive());
        const fs::path other = scratch.path() / (std::string("elsewhere-") + entry.label);
        entry.link(prefix / "user.reg", other);
        struct stat before {};
        ::stat(other.c_str(), &before);
        setValue(*service(), ROOT_CURRENT_USER, "Software\\Vendor", "linked", entry.label);
        struct stat after {};
        ::stat(other.c_str(), &after);
        EXPECT_NE(testing_support::readFile(other).find(std::string("\"linked\"=\"") + entry.label), std::string::npos);
        EXPECT_EQ(readFile("user.reg"), testing_support::readFile(other));
        EXPECT_EQ(after.st_ino == before.st_ino, entry.inPlace);
        EXPECT_EQ(fs::is_symlink(prefix / "user.reg"), !entry.inPlace);
        fs::remove(prefix / "user.reg");
    }
}

TEST_F(PrefixRegistry, AFileChangedOnDiskIsReadAgain) {
    const auto registry = service();
    EXPECT_EQ(readText(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "x1"), "100");
    writeFile("user.reg", header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") +
                              key("Software\\\\Vendor", "\"x1\"=dword:000000c8\n\"x2\"=\"new\"\n"));
    std::this_thread::sleep_for(prefix::PrefixHive::REFRESH_INTERVAL + std::chrono::milliseconds(50));
    EXPECT_EQ(readText(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "x1"), "200");
    EXPECT_EQ(readText(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "x2"), "new");
}

TEST_F(PrefixRegistry, ChangesWineWroteMeanwhileAreKeptWithOurs) {
    const auto registry = service();
    {
        const auto vendor = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        registry->createWriter(vendor.get())->setString("ours", "1");
        writeFile("user.reg", userHive() + key("Software\\\\Wine", "\"theirs\"=\"2\"\n"));
    }
    const auto fresh = service();
    EXPECT_EQ(readText(*fresh, ROOT_CURRENT_USER, "Software\\Vendor", "ours"), "1");
    EXPECT_EQ(readText(*fresh, ROOT_CURRENT_USER, "Software\\Wine", "theirs"), "2");
    EXPECT_EQ(readText(*fresh, ROOT_CURRENT_USER, "Environment", "TEMP"), "C:\\temp");
}

TEST_F(PrefixRegistry, AFileThatCannotBeParsedIsAnErrorNamingItsLineAndIsNeverWritten) {
    const std::string broken = header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") + key("Software") + "garbage\n";
    writeFile("user.reg", broken);
    const auto registry = service();
    EXPECT_EQ(readText(*registry, ROOT_LOCAL_MACHINE, "Software\\Values", "s"), "text");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            registry->openKey(ROOT_CURRENT_USER, "Software", ACCESS_ALL);
            ADD_FAILURE() << "no exception";
        } catch (const RegistryException& e) {
            EXPECT_EQ(e.getMessage(), "The registry file '" + (prefix / "user.reg").string() +
                                          "' cannot be read: line 8: the line is not understood.\n\n"
                                          "System error message: The registry database is corrupt.\r\n");
            EXPECT_EQ(platform::getLastError(), platform::winerror::BADDB);
        }
    }
    EXPECT_EQ(readFile("user.reg"), broken);
    writeFile("user.reg", userHive());
    EXPECT_EQ(readText(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "x1"), "100");
}

TEST_F(PrefixRegistry, AChangeIsNotWrittenOverAFileThatBrokeMeanwhile) {
    const std::string broken = userHive() + "garbage\n";
    InScratch reports;
    {
        const auto registry = service();
        const auto key = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        registry->createWriter(key.get())->setString("ours", "1");
        writeFile("user.reg", broken);
    }
    EXPECT_EQ(readFile("user.reg"), broken);
    EXPECT_NE(reports.assertions().find("user.reg' cannot be read: line"), std::string::npos);
}

TEST_F(PrefixRegistry, AMissingFileIsStartedWithTheHeaderOfItsPrefix) {
    fs::remove(prefix / "userdef.reg");
    const auto registry = service();
    EXPECT_THROW(registry->openKey(ROOT_USERS, ".Default\\Control Panel", ACCESS_READ), RegistryKeyNotFoundException);
    {
        const auto users = registry->openKey(ROOT_USERS, ".Default", ACCESS_CREATE_SUB_KEY);
        registry->createWriter(users.get())->createSubkey("Control Panel\\Desktop", 0);
    }
    EXPECT_EQ(readFile("userdef.reg").rfind("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n"
                                            "\n#arch=win64\n\n[Control Panel\\\\Desktop] ",
                                            0),
              0u);
}

TEST_F(PrefixRegistry, NothingIsChangedOrWrittenWhileWineHoldsThePrefix) {
    const auto before = states();
    const auto registry = service();
    const auto inUse = [this](const std::string& entry) {
        return "The registry of the Wine prefix '" + prefix.string() + "' is in use by Wine, so '" + entry +
               "' cannot be changed now. Stop Wine first with 'wineserver -k' (with WINEPREFIX='" + prefix.string() +
               "') and try again.\n\nSystem error message: The file is being used by another process.\r\n";
    };
    {
        HeldServerLock held(lockFile());
        const auto vendor = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_ALL);
        const auto software = registry->openKey(ROOT_CURRENT_USER, "Software", ACCESS_ALL);
        const auto order = registry->openKey(ROOT_LOCAL_MACHINE, "Software\\Order", ACCESS_ALL);
        const auto onVendor = registry->createWriter(vendor.get());
        const auto onSoftware = registry->createWriter(software.get());
        struct Case {
            const char* label;
            std::function<void()> call;
            std::string entry;
        };
        const Case cases[] = {
            {"set a string", [&] { onVendor->setString("v", "x"); }, "HKEY_CURRENT_USER\\Software\\Vendor\\v"},
            {"set a DWORD", [&] { onVendor->setDword("x1", 1u, TYPE_DWORD); }, "HKEY_CURRENT_USER\\Software\\Vendor\\x1"},
            {"delete a value", [&] { onVendor->deleteValue("x1"); }, "HKEY_CURRENT_USER\\Software\\Vendor\\x1"},
            {"delete a tree", [&] { onSoftware->deleteSubkeyTree("Vendor"); }, "HKEY_CURRENT_USER\\Software\\Vendor"},
            {"create a key", [&] { onSoftware->createSubkey("New", 0); }, "HKEY_CURRENT_USER\\Software\\New"},
            {"delete in another file", [&] { registry->createWriter(order.get())->deleteSubkeyTree("Beta"); },
             "HKEY_LOCAL_MACHINE\\Software\\Order\\Beta"},
        };
        for (const auto& entry : cases) {
            SCOPED_TRACE(entry.label);
            try {
                entry.call();
                ADD_FAILURE() << "no exception";
            } catch (const RegistryAccessDeniedException&) {
                ADD_FAILURE() << "not a matter of access rights";
            } catch (const RegistryException& e) {
                EXPECT_EQ(e.getMessage(), inUse(entry.entry));
                EXPECT_EQ(platform::getLastError(), platform::winerror::SHARING_VIOLATION);
            }
        }
        // Reading, and calls that change nothing, go on.
        EXPECT_EQ(registry->createReader(vendor.get())->readValue("x1").getDword(), 100u);
        onSoftware->createSubkey("Vendor", ACCESS_READ);
        onVendor->setDword("x1", 100u, TYPE_DWORD);
    }
    EXPECT_EQ(states(), before);
    setValue(*registry, ROOT_CURRENT_USER, "Software\\Vendor", "v", "after Wine");
    EXPECT_EQ(readText(*service(), ROOT_CURRENT_USER, "Software\\Vendor", "v"), "after Wine");
}

TEST_F(PrefixRegistry, DebiansServerFolderIsFoundThroughThePrefix) {
    writeFile("wineserver", "wine-Ab12Cd");
    const auto files = serverLock().lockFiles(prefix);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].parent_path().parent_path(), scratch.path() / "tmp" / "wine-Ab12Cd");
    const std::string before = readFile("user.reg");
    HeldServerLock held(files[1]);
    EXPECT_THROW(setValue(*service(), ROOT_CURRENT_USER, "Software\\Vendor", "v", "x"), RegistryException);
    EXPECT_EQ(readFile("user.reg"), before);
}

TEST_F(PrefixRegistry, AChangeMadeBeforeWineStartedWaitsUntilWineIsGone) {
    InScratch reports;
    const std::string before = readFile("user.reg");
    auto registry = service();
    {
        auto key = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        registry->createWriter(key.get())->setString("pending", "1");
        HeldServerLock held(lockFile());
        key.reset();
        EXPECT_EQ(readFile("user.reg"), before);
    }
    EXPECT_NE(reports.assertions().find("is in use by Wine"), std::string::npos);
    registry.reset();
    EXPECT_NE(readFile("user.reg").find("\"pending\"=\"1\""), std::string::npos);
}

TEST_F(PrefixRegistry, AFileThatMayNotBeWrittenRefusesChanges) {
    fs::permissions(prefix / "user.reg", fs::perms(0444));
    const testing_support::PermissionsBind asAnyUser;
    const auto registry = service();
    const auto key = registry->openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
    EXPECT_THROW(registry->createWriter(key.get())->setString("v", "x"), RegistryAccessDeniedException);
    EXPECT_EQ(readFile("user.reg"), userHive());
}

}  // namespace
}  // namespace registry_test
