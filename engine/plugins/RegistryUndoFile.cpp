#include "engine/plugins/RegistryUndoFile.h"

#include <cstdio>

#include "platform/failure/Assertion.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

namespace {

using namespace windows::registry;
using util::StringHelper;

std::string quoted(const std::string& text) {
    std::string escaped = text;
    StringHelper::replaceAll(escaped, "\\", "\\\\");
    StringHelper::replaceAll(escaped, "\"", "\\\"");
    return "\"" + escaped + "\"";
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        if (i) text += ',';
        text += pair;
    }
    return text;
}

std::string dword(std::uint32_t number) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", number);
    return std::string("dword:") + digits;
}

bool hasControlCharacters(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

// The data as read, for a value whose stored form is unknown.
std::string dataText(const RegistryData& data) {
    if (data.isString()) return quoted(data.getString());
    if (data.isDword()) return dword(data.getDword());
    if (data.isBinary()) return "hex:" + hexBytes(data.getBinary());
    throw RegistryUnexpectedTypeException("Cannot convert registry data of the REGISTRY_DATA_INVALID type to a string.");
}

std::string storedText(const StoredRegistryValue& stored, const RegistryData& data) {
    switch (stored.type) {
    case TYPE_SZ: {
        // Quoted only when regedit gives back exactly these bytes from the quotes.
        if (data.isString() && !hasControlCharacters(data.getString())) {
            std::vector<std::uint8_t> terminated = utf16leOfRegistryText(data.getString());
            terminated.insert(terminated.end(), {0, 0});
            if (terminated == stored.bytes) return quoted(data.getString());
        }
        return "hex(1):" + hexBytes(stored.bytes);
    }
    case TYPE_BINARY: return "hex:" + hexBytes(stored.bytes);
    case TYPE_DWORD:
        if (stored.bytes.size() == 4)
            return dword(stored.bytes[0] | stored.bytes[1] << 8 | stored.bytes[2] << 16 |
                         static_cast<std::uint32_t>(stored.bytes[3]) << 24);
        break;
    default: break;
    }
    return "hex(" + std::to_string(stored.type) + "):" + hexBytes(stored.bytes);
}

}  // namespace

std::string undoFileHeader(const std::string& stamp) {
    return "Windows Registry Editor Version 5.00\n\n"
           ";The values found under the following keys were removed when cleaning the registry.\n"
           ";This file will undo the changes from " +
           stamp +
           " and reinsert all removed keys.\n"
           ";Todo this right-click on this file in Explorer and then select Merge.\n\n";
}

std::string undoEntryText(const RegistryErrorEntry& entry) {
    try {
        const std::string name = entry.valueName.empty() ? "@" : quoted(entry.valueName);
        const std::string data = entry.stored ? storedText(*entry.stored, entry.data) : dataText(entry.data);
        return "[" + fullKeyName(entry.root, entry.subkey) + "]\n" + name + "=" + data;
    } catch (const exceptions::Exception& failure) {
        assertionFailed(failure.getMessage(), __FILE__, __LINE__);
        return "";
    }
}

std::string undoFileName(const std::string& stamp) {
    std::string name = "undo from " + stamp;
    StringHelper::replaceAll(name, ":", "-");
    return name + ".reg";
}

std::vector<char> undoFileBytes(const std::string& text) {
    const std::vector<std::uint8_t> units = utf16leOfRegistryText(text);
    std::vector<char> bytes;
    bytes.reserve(units.size() + 2);
    bytes.push_back('\xFF');
    bytes.push_back('\xFE');
    for (const std::uint8_t unit : units) bytes.push_back(static_cast<char>(unit));
    return bytes;
}

}  // namespace com::quorvex::products::tamblix
