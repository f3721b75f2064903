#pragma once
// Clocks that tell the time the test sets.

#include <atomic>
#include <cstdint>
#include <ctime>

#include "platform/util/Clocks.h"

namespace engine_testing {

using namespace com::quorvex::products::tamblix;

struct FakeTickClock : TickClock {
    std::atomic<std::uint32_t> now{0};
    std::uint32_t getTickCount() override { return now; }
};

// 14:07:09 on 5 March 2007 unless the test sets another time.
struct FakeLocalClock : LocalClock {
    std::tm time = [] {
        std::tm t{};
        t.tm_year = 2007 - 1900;
        t.tm_mon = 2;
        t.tm_mday = 5;
        t.tm_wday = 1;
        t.tm_hour = 14;
        t.tm_min = 7;
        t.tm_sec = 9;
        return t;
    }();
    std::tm now() override { return time; }
};

}  // namespace engine_testing
