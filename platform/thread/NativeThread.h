#pragma once
// The platform's thread primitive under ThreadImpl. Each platform folder
// implements these functions; the portable logic above them keeps the states.

namespace platform::thread {

// An operating-system thread; owned by whoever started it, released by
// closeNativeThread.
struct NativeThread;

using ThreadProcedure = unsigned (*)(void* argument);

// The result of a wait that saw the thread end.
constexpr int WAIT_OBJECT_0 = 0;
constexpr int WAIT_FAILED = -1;

// Starts procedure(argument) on a new thread. The new thread stores its id
// (never 0) into *id before the procedure runs and before this returns. Returns
// null and leaves *id alone when no thread could be made.
NativeThread* startNativeThread(ThreadProcedure procedure, void* argument, unsigned long* id);

// Waits without time limit for the thread to end; a thread that was already
// waited for answers at once. Returns WAIT_OBJECT_0 or WAIT_FAILED.
int waitNativeThread(NativeThread* thread);

// The exit code the procedure returned; meaningful after a successful wait.
unsigned nativeExitCode(const NativeThread* thread);

// Releases the handle. A thread that was not waited for keeps running on its own.
bool closeNativeThread(NativeThread* thread);

// The calling thread's id, never 0 for a live thread.
unsigned long currentNativeThreadId();

}  // namespace platform::thread
