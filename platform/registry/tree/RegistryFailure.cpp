#include "platform/registry/tree/RegistryFailure.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/registry/RegistryExceptions.h"

namespace windows::registry::tree {

void throwRegistryFailure(int code, const FailureTexts& texts) {
    platform::setLastError(code);
    const std::string system = "\n\n" + SystemErrors::map(platform::getLastError());
    if (code == platform::winerror::ACCESS_DENIED && !texts.denied.empty())
        throw RegistryAccessDeniedException(texts.denied + system);
    if (code == platform::winerror::FILE_NOT_FOUND && !texts.missing.empty()) {
        if (texts.missingKind == Missing::KEY) throw RegistryKeyNotFoundException(texts.missing + system);
        throw RegistryValueNotFoundException(texts.missing + system);
    }
    throw RegistryException(texts.other + system);
}

}  // namespace windows::registry::tree
