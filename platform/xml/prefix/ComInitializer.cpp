// On a Wine prefix the XML layer needs no per-thread set-up (libxml2 initialises
// itself once, on first use), so the scope is empty.
#include "platform/xml/ComInitializer.h"

namespace windows::com {

ComInitializer::ComInitializer() = default;
ComInitializer::~ComInitializer() = default;

}  // namespace windows::com
