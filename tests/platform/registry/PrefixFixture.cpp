#include "tests/platform/registry/PrefixFixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "platform/file/prefix/WinePrefix.h"

namespace registry_test {

HeldServerLock::HeldServerLock(const std::filesystem::path& lockFile) {
    std::filesystem::create_directories(lockFile.parent_path());
    _descriptor = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // An open file description lock, so that this process's own F_GETLK sees it as another holder.
    struct flock request {};
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    request.l_start = 0;
    request.l_len = 1;
    if (_descriptor < 0 || ::fcntl(_descriptor, F_OFD_SETLK, &request) != 0)
        throw std::runtime_error("could not lock " + lockFile.string());
}

HeldServerLock::~HeldServerLock() { ::close(_descriptor); }

void ScratchPrefix::SetUp() {
    prefix = scratch.path() / "prefix";
    std::filesystem::create_directories(prefix / "drive_c" / "users" / "Public");
    std::filesystem::create_directories(prefix / "drive_c" / "users" / "anna");
}

void ScratchPrefix::writeFile(const std::string& name, const std::string& content) const {
    scratch.write("prefix/" + name, content);
}

std::string ScratchPrefix::readFile(const std::string& name) const { return testing_support::readFile(prefix / name); }

windows::registry::prefix::WineServerLock ScratchPrefix::serverLock() const {
    return windows::registry::prefix::WineServerLock(scratch.path() / "wine-user", {scratch.path() / "tmp"});
}

std::unique_ptr<windows::registry::RegistryServiceImpl> ScratchPrefix::service() const {
    return std::make_unique<windows::registry::RegistryServiceImpl>(platform::prefix::WinePrefix(prefix), serverLock());
}

std::filesystem::path ScratchPrefix::lockFile() const { return serverLock().lockFiles(prefix).front(); }

}  // namespace registry_test
