#pragma once
// Scratch Wine prefixes for the prefix registry's tests, and a stand-in for a
// running Wine server: the server's lock file with a write lock held on it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "platform/registry/prefix/WineServerLock.h"
#include "tests/support/TempDir.h"

namespace registry_test {

// Holds the write lock on byte 0 of a lock file, as a Wine server does, for its lifetime.
class HeldServerLock {
public:
    explicit HeldServerLock(const std::filesystem::path& lockFile);
    ~HeldServerLock();
    HeldServerLock(const HeldServerLock&) = delete;
    HeldServerLock& operator=(const HeldServerLock&) = delete;

private:
    int _descriptor;
};

// A prefix folder below a scratch folder, with the server folders its lock is looked for in.
class ScratchPrefix : public ::testing::Test {
protected:
    void SetUp() override;

    // Writes a registry file (or any file) of the prefix.
    void writeFile(const std::string& name, const std::string& content) const;
    std::string readFile(const std::string& name) const;
    std::unique_ptr<windows::registry::RegistryServiceImpl> service() const;
    windows::registry::prefix::WineServerLock serverLock() const;
    // The lock file a Wine server of this prefix holds.
    std::filesystem::path lockFile() const;

    testing_support::TempDir scratch;
    std::filesystem::path prefix;
};

// Runs the tests in a scratch working directory, so that assertion reports stay there.
class InScratch {
public:
    InScratch() : _inScratch(_scratch.path()) {}
    std::string assertions() const { return _scratch.read("assertion.txt"); }

private:
    testing_support::TempDir _scratch;
    testing_support::WorkingDirectory _inScratch;
};

}  // namespace registry_test
