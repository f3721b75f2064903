#pragma once
// The failure of the signature check.

#include "platform/failure/Exception.h"

namespace encryption::pki {
TAMBLIX_EXCEPTION(SignatureException, exceptions::Exception);
}
