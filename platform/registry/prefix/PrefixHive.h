#pragma once
// Linux only: one registry file of a Wine prefix (system.reg, user.reg or
// userdef.reg) as a hive. The file is read once and read again whenever its
// size, time or identity on disk changed (Wine rewrote it). It is looked at
// again at most every REFRESH_INTERVAL, and always before it is written.
// Changes are kept in order until they are written; when the file changed on
// disk in between they are applied again to its new content, so that neither
// Wine's changes nor ours are lost. While a Wine server holds the prefix nothing
// is changed or written. A file that cannot be parsed is never taken in part:
// the hive stays unusable (and is never written) until the file changes.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/prefix/WineServerLock.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryHive.h"

namespace windows::registry::prefix {

// What identifies a file's state on disk.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds

    bool operator==(const FileStamp& other) const = default;
};

FileStamp stampOf(const std::filesystem::path& file);

class PrefixHive : public tree::RegistryHive {
public:
    // relativeTo: the header's root, as Wine writes it ("REGISTRY\\\\Machine").
    PrefixHive(std::filesystem::path prefix, const std::string& fileName, std::string relativeTo,
               const WineServerLock& lock, const tree::RegistryHives& clock);

    void refresh() override;
    tree::RegistryNode& root() override;
    std::uint64_t version() const override { return _version; }
    int checkModifiable(const std::string& entry) override;
    bool apply(const tree::RegistryChange& change) override;
    void commit() override;
    void discard() override;

    const std::filesystem::path& file() const { return _file; }

    static constexpr std::chrono::milliseconds REFRESH_INTERVAL{100};

private:
    void _load();
    [[noreturn]] void _throwBroken() const;
    [[noreturn]] void _throwInUse(const std::string& entry) const;

    std::filesystem::path _prefix;
    std::filesystem::path _file;
    std::string _relativeTo;
    const WineServerLock& _lock;
    const tree::RegistryHives& _clock;

    tree::RegistryFile _content;
    bool _loaded = false;
    std::optional<std::string> _broken;  // why the file on disk cannot be used
    FileStamp _stamp;
    std::chrono::steady_clock::time_point _checked;
    std::uint64_t _version = 1;
    std::vector<tree::RegistryChange> _pending;
};

}  // namespace windows::registry::prefix
