#pragma once
// The failure of the XML layer.

#include "platform/failure/Exception.h"

namespace windows::com::xml {
TAMBLIX_EXCEPTION(XMLException, exceptions::Exception);
}
