#include <gtest/gtest.h>

#include "platform/file/FileExceptions.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "update/install/DefinitionsInstall.h"

namespace {

using namespace com::quorvex::products::tamblix;
using platform::file::memory::MemoryFileSystem;

struct Stopped {};

// The process ends (as by kill -9) when its stopAfter-th change of a file is due.
struct StoppingFiles : platform::file::FileWriter, platform::file::FileRemover {
    StoppingFiles(MemoryFileSystem& files, int stopAfter) : files(files), left(stopAfter) {}
    void writeFile(const std::string& path, const std::vector<char>& bytes, int mode) override {
        step();
        files.writeFile(path, bytes, mode);
    }
    void removeFile(const std::string& path) override {
        step();
        files.removeFile(path);
    }
    void step() {
        if (left-- == 0) throw Stopped();
    }
    MemoryFileSystem& files;
    int left;
};

std::vector<char> bytes(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

class DefinitionsInstall : public testing::Test {
protected:
    void SetUp() override {
        files.addFile(install::INSTALLED_DEFINITIONS, "old definitions");
        files.addFile(install::INSTALLED_SIGNATURE, "old signature");
    }
    std::string pair() {
        return files.files[install::INSTALLED_DEFINITIONS] + " + " + files.files[install::INSTALLED_SIGNATURE];
    }
    MemoryFileSystem files;
};

// Stopped before each change of the install in turn, the next start finds one
// whole pair and nothing else of the install.
TEST_F(DefinitionsInstall, StoppedAtAnyStepTheNextStartFindsOnePair) {
    const std::string oldPair = "old definitions + old signature";
    const std::string newPair = "new definitions + new signature";
    // Writes of the two spares, the journal, the two installed files; three removals.
    const char* expected[] = {"old", "old", "old", "new", "new", "new", "new", "new", "new"};
    for (int stop = 0; stop < 9; ++stop) {
        SCOPED_TRACE(stop);
        files = MemoryFileSystem();
        SetUp();
        StoppingFiles stopping(files, stop);
        bool finished = true;
        try {
            install::installDefinitions(stopping, stopping, bytes("new definitions"), bytes("new signature"));
        } catch (const Stopped&) {
            finished = false;
        }
        EXPECT_EQ(finished, stop == 8);
        // The next start, and the one after it (a start stopped while it finishes
        // changes nothing either).
        install::completeInstall(files, files, files, files);
        install::completeInstall(files, files, files, files);
        EXPECT_EQ(pair(), std::string(expected[stop]) == "old" ? oldPair : newPair);
        EXPECT_EQ(files.files.size(), 2u);
    }
}

TEST_F(DefinitionsInstall, AStartStoppedWhileFinishingFinishesNextTime) {
    StoppingFiles stopping(files, 4);  // stops before the installed signature is written
    EXPECT_THROW(install::installDefinitions(stopping, stopping, bytes("new definitions"), bytes("new signature")),
                 Stopped);
    for (int stop = 0; stop < 4; ++stop) {
        MemoryFileSystem copy = files;
        StoppingFiles again(copy, stop);
        EXPECT_THROW(install::completeInstall(copy, again, again, copy), Stopped);
        // It finishes what is left: until the journal is gone, the install itself.
        EXPECT_EQ(install::completeInstall(copy, copy, copy, copy), stop < 3);
        EXPECT_EQ(copy.files[install::INSTALLED_DEFINITIONS] + " + " + copy.files[install::INSTALLED_SIGNATURE],
                  "new definitions + new signature");
        EXPECT_EQ(copy.files.size(), 2u);
    }
}

TEST_F(DefinitionsInstall, AJournalThatNamesOtherSizesIsDropped) {
    files.addFile(install::NEW_DEFINITIONS, "new definitions");
    files.addFile(install::NEW_SIGNATURE, "new sig");
    files.addFile(install::JOURNAL, "Tamblix definitions install\n15\n13\n");
    EXPECT_FALSE(install::completeInstall(files, files, files, files));
    EXPECT_EQ(pair(), "old definitions + old signature");
    EXPECT_EQ(files.files.size(), 2u);
}

TEST_F(DefinitionsInstall, AFailedSaveBeforeTheJournalChangesNothing) {
    files.failWrites = true;
    EXPECT_THROW(install::installDefinitions(files, files, bytes("new definitions"), bytes("new signature")),
                 io::filesystem::SaveFileException);
    files.failWrites = false;
    install::completeInstall(files, files, files, files);
    EXPECT_EQ(pair(), "old definitions + old signature");
}

TEST_F(DefinitionsInstall, ASpareThatCannotBeRemovedIsNoFailure) {
    files.undeletable.insert(install::NEW_SIGNATURE);
    install::installDefinitions(files, files, bytes("new definitions"), bytes("new signature"));
    EXPECT_EQ(pair(), "new definitions + new signature");
    EXPECT_FALSE(files.fileExists(install::JOURNAL));
}

}  // namespace
