#include <chrono>

#include "engine/EngineClocks.h"

namespace com::quorvex::products::tamblix {

std::uint32_t SteadyTickClock::getTickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace com::quorvex::products::tamblix
