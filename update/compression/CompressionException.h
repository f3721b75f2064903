#pragma once
// The failure of the compressed container.

#include "platform/failure/Exception.h"

namespace compression {
TAMBLIX_EXCEPTION(CompressionException, exceptions::Exception);
}
