#include "platform/util/Clocks.h"

#include <chrono>

#include "platform/util/LocalTime.h"

namespace com::quorvex::products::tamblix {

std::uint32_t SteadyTickClock::getTickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::tm SystemLocalClock::now() { return util::localTimeNow(); }

}  // namespace com::quorvex::products::tamblix
