// Thread priority as Linux nice values; only Linux-specific code belongs in this file.
#include "platform/thread/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"

namespace platform::thread {

namespace {
// Linux keeps a nice value per thread; below normal is a few steps nicer than the
// thread that started us, never beyond the weakest priority.
constexpr int BELOW_NORMAL_STEP = 5;
constexpr int WEAKEST_NICE = 19;
}  // namespace

bool lowerCurrentThreadPriority() {
    const id_t self = static_cast<id_t>(gettid());
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, self);
    if (current == -1 && errno != 0) {
        setLastError(windowsErrorOfErrno(errno));
        return false;
    }
    const int lowered = std::min(current + BELOW_NORMAL_STEP, WEAKEST_NICE);
    if (setpriority(PRIO_PROCESS, self, lowered) != 0) {
        setLastError(windowsErrorOfErrno(errno));
        return false;
    }
    return true;
}

}  // namespace platform::thread
