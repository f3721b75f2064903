#include "platform/registry/RegistryHelpers.h"

#include "platform/failure/Assertion.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry {

bool isSupportedType(std::uint32_t type) {
    return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_BINARY || type == TYPE_DWORD ||
           type == TYPE_MULTI_SZ;
}

std::optional<RegistryData> convertRegistryValue(std::uint32_t type, std::string_view bytes,
                                                 const info::EnvironmentExpander& expander) {
    switch (type) {
    case TYPE_SZ:
    case TYPE_MULTI_SZ:
        if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        return RegistryData(std::string(bytes));
    case TYPE_EXPAND_SZ: {
        if (bytes.empty()) return RegistryData(std::string());
        TAMBLIX_ASSERT(bytes.back() == '\0');
        const std::string text(bytes.substr(0, bytes.find('\0')));
        return RegistryData(expander.expand(text));
    }
    case TYPE_DWORD: {
        if (bytes.size() != 4) return RegistryData();
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<std::uint8_t>(bytes[i]);
        return RegistryData(number);
    }
    case TYPE_BINARY: return RegistryData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    default: return std::nullopt;
    }
}

std::string fullKeyName(std::uint32_t root, const std::string& subkey) {
    static const RegistryKeyNames LONG_NAMES(false);
    const std::string rootName = LONG_NAMES.keyToString(root);
    return subkey.empty() ? rootName : rootName + "\\" + subkey;
}

std::vector<std::uint8_t> utf16leOfRegistryText(std::string_view text) {
    return tree::bytesOfUnits(tree::utf8ToUtf16(text));
}

std::string registryNameFold(std::string_view name) {
    return tree::utf16ToUtf8(tree::lowerCase(tree::utf8ToUtf16(name)));
}

}  // namespace windows::registry
