#include "platform/failure/LastError.h"

namespace platform {

namespace {
thread_local int lastError = 0;
}

int getLastError() { return lastError; }
void setLastError(int code) { lastError = code; }

}  // namespace platform
