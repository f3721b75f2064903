// Linux only: listing directories for case-insensitive lookups.
#include "platform/file/prefix/ListingCache.h"

#include <cerrno>

#include "platform/file/prefix/PosixHandles.h"
#include "platform/util/CaseFolding.h"

namespace platform::prefix {

namespace {

bool sameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::chrono::system_clock::time_point timePoint(const struct timespec& time) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::seconds(time.tv_sec) +
                                                                        std::chrono::nanoseconds(time.tv_nsec)));
}

}  // namespace

bool ListingCache::_current(const Listing& listing, const struct stat& info) {
    return listing.trusted && listing.device == info.st_dev && listing.inode == info.st_ino &&
           sameTime(listing.changed, info.st_ctim) && sameTime(listing.modified, info.st_mtim);
}

bool ListingCache::_read(const std::string& directory, const struct stat& info, Listing& listing) {
    const auto readAt = std::chrono::system_clock::now();
    UniqueDir stream(::opendir(directory.c_str()));
    if (!stream.get()) return false;
    listing = Listing{};
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.changed = info.st_ctim;
    listing.modified = info.st_mtim;
    listing.trusted = readAt - timePoint(info.st_ctim) > CHANGE_TIME_GRANULARITY;
    errno = 0;
    while (const dirent* entry = ::readdir(stream.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        auto [place, added] = listing.byFoldedName.emplace(util::foldCase(name), name);
        if (!added && name < place->second) place->second = name;
    }
    return errno == 0;
}

bool ListingCache::find(const std::string& directory, const struct stat& info, const std::string& name,
                        std::optional<std::string>& match) {
    std::lock_guard<std::mutex> hold(_lock);
    auto cached = _listings.find(directory);
    if (cached == _listings.end() || !_current(cached->second, info)) {
        Listing listing;
        if (!_read(directory, info, listing)) return false;
        if (cached == _listings.end()) {
            if (_listings.size() >= MAX_LISTINGS) _listings.clear();
            cached = _listings.emplace(directory, std::move(listing)).first;
        } else {
            cached->second = std::move(listing);
        }
    }
    const auto found = cached->second.byFoldedName.find(util::foldCase(name));
    match.reset();
    if (found != cached->second.byFoldedName.end()) match = found->second;
    return true;
}

}  // namespace platform::prefix
