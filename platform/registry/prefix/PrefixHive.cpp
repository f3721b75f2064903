// Linux only: loads, reloads and writes one registry file of a Wine prefix.
#include "platform/registry/prefix/PrefixHive.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/FileReplacement.h"
#include "platform/file/prefix/PosixHandles.h"
#include "platform/registry/RegistryExceptions.h"

namespace windows::registry::prefix {

namespace {

FileStamp stampOfStat(const struct stat& status) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return stamp;
}

std::string systemText(int errnoValue) {
    platform::setLastError(platform::windowsErrorOfErrno(errnoValue));
    return SystemErrors::map(platform::getLastError());
}

bool readAll(int descriptor, std::string& text) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

// The #arch line of the prefix's other registry files, for a file that does not exist yet.
std::string archLineOf(const std::filesystem::path& prefix) {
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
        std::ifstream in(prefix / name);
        std::string line;
        for (int count = 0; count < 8 && std::getline(in, line); ++count)
            if (line.rfind("#arch=", 0) == 0) return line;
    }
    return "";
}

}  // namespace

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return FileStamp{};
    return stampOfStat(status);
}

PrefixHive::PrefixHive(std::filesystem::path prefix, const std::string& fileName, std::string relativeTo,
                       const WineServerLock& lock, const tree::RegistryHives& clock)
    : _prefix(std::move(prefix)), _file(_prefix / fileName), _relativeTo(std::move(relativeTo)), _lock(lock),
      _clock(clock) {}

void PrefixHive::_load() {
    tree::RegistryFile content;
    FileStamp stamp;
    platform::prefix::UniqueFd file(::open(_file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == EACCES || errno == EPERM)
            throw RegistryAccessDeniedException("The registry file '" + _file.string() + "' cannot be read.\n\n" +
                                                systemText(errno));
        if (errno != ENOENT)
            throw RegistryException("The registry file '" + _file.string() + "' cannot be read.\n\n" + systemText(errno));
        content = tree::emptyRegistryFile(_relativeTo, archLineOf(_prefix));
    } else {
        struct stat status {};
        std::string text;
        if (::fstat(file.get(), &status) != 0 || !readAll(file.get(), text))
            throw RegistryException("The registry file '" + _file.string() + "' cannot be read.\n\n" + systemText(errno));
        stamp = stampOfStat(status);
        tree::RegistryFileError error;
        if (!tree::parseRegistryFile(text, _clock.now(), content, error)) {
            _broken = "The registry file '" + _file.string() + "' cannot be read: line " + std::to_string(error.line) +
                      ": " + error.reason + ".";
            _loaded = false;
            _content = tree::RegistryFile{};
            _stamp = stamp;
            ++_version;
            _throwBroken();
        }
    }
    for (const auto& change : _pending) tree::applyChange(content.root, change);
    _content = std::move(content);
    _stamp = stamp;
    _loaded = true;
    _broken.reset();
    ++_version;
}

void PrefixHive::_throwBroken() const {
    platform::setLastError(platform::winerror::BADDB);
    throw RegistryException(*_broken + "\n\n" + SystemErrors::map(platform::getLastError()));
}

void PrefixHive::_throwInUse(const std::string& entry) const {
    platform::setLastError(platform::winerror::SHARING_VIOLATION);
    throw RegistryException("The registry of the Wine prefix '" + _prefix.string() + "' is in use by Wine, so '" +
                            entry + "' cannot be changed now. Stop Wine first with 'wineserver -k' (with WINEPREFIX='" +
                            _prefix.string() + "') and try again.\n\n" + SystemErrors::map(platform::getLastError()));
}

void PrefixHive::refresh() {
    const auto now = std::chrono::steady_clock::now();
    // Opening keys one after the other needs no look at the file for each of them.
    if (_loaded && now - _checked < REFRESH_INTERVAL) return;
    _checked = now;
    if ((_loaded || _broken) && stampOf(_file) == _stamp) {
        if (_broken) _throwBroken();
        return;
    }
    _load();
}

tree::RegistryNode& PrefixHive::root() {
    if (_broken) _throwBroken();
    if (!_loaded) _load();
    return _content.root;
}

int PrefixHive::checkModifiable(const std::string& entry) {
    if (_lock.isHeld(_prefix)) _throwInUse(entry);
    return platform::windowsErrorOfErrno(platform::file::checkReplaceable(_file.string()).value());
}

bool PrefixHive::apply(const tree::RegistryChange& change) {
    if (!tree::applyChange(root(), change)) return false;
    _pending.push_back(change);
    ++_version;
    return true;
}

void PrefixHive::discard() {
    if (_pending.empty()) return;
    _pending.clear();
    try {
        _load();
    } catch (const exceptions::Exception&) {
        // The file cannot be read now; the hive is read again once it can be.
        _stamp = {};
    }
}

void PrefixHive::commit() {
    if (_pending.empty()) return;
    if (_lock.isHeld(_prefix)) _throwInUse(_file.string());
    // Wine wrote the file since it was read: the changes go onto its new content.
    if (stampOf(_file) != _stamp) _load();
    if (_broken) _throwBroken();
    const std::string text = tree::writeRegistryFile(_content);
    if (const auto failure = platform::file::replaceFile(_file.string(), text))
        throw RegistryException("Error when writing the registry file '" + _file.string() + "'.\n\n" +
                                systemText(failure.value()));
    _stamp = stampOf(_file);
    _pending.clear();
}

}  // namespace windows::registry::prefix
