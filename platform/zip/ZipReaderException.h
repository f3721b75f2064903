#pragma once
// The zip reader's failure: an archive or one of its members could not be read.

#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix {
TAMBLIX_EXCEPTION(ZipReaderException, exceptions::Exception);
}
