#pragma once
// Scheduling priority of the calling thread.

namespace platform::thread {

// Lowers the calling thread, and only it, to below-normal priority, so that long
// work does not make the desktop sluggish. Returns false when the platform
// refused; the thread then simply keeps its priority.
bool lowerCurrentThreadPriority();

}  // namespace platform::thread
