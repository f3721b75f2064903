#pragma once
// Linux only: the case-insensitive lookup of a name in a directory, with a small
// cache of directory listings so that repeated lookups in one folder do not list
// it again.
//
// A cached listing is used only while the directory's device, inode, change time
// and modification time are those seen when it was read, and only when it was
// read more than CHANGE_TIME_GRANULARITY after the directory last changed: file
// system clocks are coarse, so a directory changed again within the same tick
// could otherwise keep its old times. A directory changed that recently is read
// again at every lookup until it has aged.

#include <sys/stat.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace platform::prefix {

class ListingCache {
public:
    static constexpr std::chrono::seconds CHANGE_TIME_GRANULARITY{2};
    static constexpr std::size_t MAX_LISTINGS = 64;

    // The name in directory (whose fresh stat is info) that equals name when
    // case is ignored as Windows ignores it (util/CaseFolding.h), the smallest
    // one byte-wise when several do; nullopt when none does. False with errno set when the directory cannot be listed.
    bool find(const std::string& directory, const struct stat& info, const std::string& name,
              std::optional<std::string>& match);

private:
    struct Listing {
        dev_t device = 0;
        ino_t inode = 0;
        struct timespec changed {};
        struct timespec modified {};
        bool trusted = false;
        std::unordered_map<std::string, std::string> byFoldedName;  // folded name -> name on disk
    };

    static bool _read(const std::string& directory, const struct stat& info, Listing& listing);
    static bool _current(const Listing& listing, const struct stat& info);

    std::mutex _lock;
    std::unordered_map<std::string, Listing> _listings;
};

}  // namespace platform::prefix
