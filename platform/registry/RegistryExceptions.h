#pragma once
// The failures of the registry layer: keys and values, the expansion of
// environment strings, and the settings store.

#include "platform/failure/Exception.h"

namespace windows::registry {
TAMBLIX_EXCEPTION(RegistryException, exceptions::Exception);
TAMBLIX_EXCEPTION(RegistryKeyNotFoundException, RegistryException);
TAMBLIX_EXCEPTION(RegistryAccessDeniedException, RegistryException);
TAMBLIX_EXCEPTION(RegistryUnexpectedTypeException, RegistryException);
TAMBLIX_EXCEPTION(RegistryValueNotFoundException, RegistryException);
}  // namespace windows::registry

namespace windows::info {
TAMBLIX_EXCEPTION(ExpandException, exceptions::Exception);
TAMBLIX_EXCEPTION(BufferExpandException, ExpandException);
}  // namespace windows::info

namespace util::tinyconfig {
TAMBLIX_EXCEPTION(TinyConfigException, exceptions::Exception);
}
