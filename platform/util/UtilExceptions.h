#pragma once
// The failures of the text utilities.

#include "platform/failure/Exception.h"

namespace util {
TAMBLIX_EXCEPTION(StringHelperException, exceptions::Exception);
namespace parser {
TAMBLIX_EXCEPTION(CommandLineConverterException, exceptions::IllegalArgumentException);
}
namespace regexp {
TAMBLIX_EXCEPTION(ATLRegularExpressionException, exceptions::Exception);
}
}  // namespace util
