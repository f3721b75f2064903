#include "platform/registry/tree/TreeRegistryService.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/registry/tree/RegistryFailure.h"
#include "platform/registry/tree/RegistryKeyImpl.h"
#include "platform/registry/tree/RegistryReaderImpl.h"
#include "platform/registry/tree/RegistryWriterImpl.h"

namespace windows::registry::tree {

namespace {

RegistryKeyImpl& ownKey(RegistryKey* key) {
    auto* own = dynamic_cast<RegistryKeyImpl*>(key);
    TAMBLIX_ASSERT(own != nullptr);
    if (!own)
        throwRegistryFailure(platform::winerror::INVALID_HANDLE,
                             {"", "", Missing::KEY, "The registry key was not opened by this registry."});
    return *own;
}

}  // namespace

std::unique_ptr<RegistryKey> TreeRegistryService::openKey(std::uint32_t root, const std::string& subkey,
                                                          std::uint32_t access) {
    return std::make_unique<RegistryKeyImpl>(_hives, root, subkey, access, RegistryKeyImpl::Mode::OPEN);
}

std::unique_ptr<RegistryReader> TreeRegistryService::createReader(RegistryKey* key) {
    return std::make_unique<RegistryReaderImpl>(ownKey(key));
}

std::unique_ptr<RegistryWriter> TreeRegistryService::createWriter(RegistryKey* key) {
    return std::make_unique<RegistryWriterImpl>(ownKey(key));
}

}  // namespace windows::registry::tree
