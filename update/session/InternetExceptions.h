#pragma once
// The failures of a download session. Every one names the address it was
// fetching; a cancelled download is the only one that is a CancelledException.

#include "platform/failure/Exception.h"

namespace windows::internet {
TAMBLIX_EXCEPTION(InternetSessionException, exceptions::Exception);
TAMBLIX_EXCEPTION(CancelledException, InternetSessionException);
}  // namespace windows::internet
