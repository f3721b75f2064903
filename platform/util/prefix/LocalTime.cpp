// Linux implementation of the local time: localtime_r fills the caller's buffer.
#include "platform/util/LocalTime.h"

#include <time.h>

#include "platform/failure/Assertion.h"

namespace util {

std::tm localTimeNow() {
    std::tm parts{};
    const time_t now = time(nullptr);
    const bool converted = localtime_r(&now, &parts) != nullptr;
    TAMBLIX_ASSERT(converted);
    return parts;
}

}  // namespace util
