#pragma once
// The engine's two views of time, handed in so that tests can set them.

#include <cstdint>
#include <string>

namespace com::quorvex::products::tamblix {

// A monotonic millisecond count that wraps around after 2^32 ms (about 49.7
// days), like the platform's tick count.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t getTickCount() = 0;
};

// The local time as the texts the fix log's file name is made of.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    // Year, "-", month, "-", day, " ", hour, ":", minute, each two digits but the year.
    virtual std::string getDateTimeText() = 0;
    // The seconds, two digits.
    virtual std::string getSecondText() = 0;
};

// The platform's special folders (the user's documents: 0x8005, created when missing).
class FolderPathQuery {
public:
    virtual ~FolderPathQuery() = default;
    // The folder's path without a final backslash; throws when it cannot be had.
    virtual std::string getFolderPath(int folderId) = 0;
};

// The tick count from the standard library's steady clock.
class SteadyTickClock : public TickClock {
public:
    std::uint32_t getTickCount() override;
};

}  // namespace com::quorvex::products::tamblix
