#pragma once
// Two views of time, handed in so that tests can set them.

#include <cstdint>
#include <ctime>

namespace com::quorvex::products::tamblix {

// A monotonic millisecond count that wraps around after 2^32 ms (about 49.7
// days), like the platform's tick count.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t getTickCount() = 0;
};

// The local time, broken down; the fix log's file name is made of one reading.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual std::tm now() = 0;
};

// The tick count from the standard library's steady clock.
class SteadyTickClock : public TickClock {
public:
    std::uint32_t getTickCount() override;
};

// The local time as the system tells it.
class SystemLocalClock : public LocalClock {
public:
    std::tm now() override;
};

}  // namespace com::quorvex::products::tamblix
