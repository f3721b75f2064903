#include "platform/registry/RegistryData.h"

#include "platform/registry/RegistryExceptions.h"

namespace windows::registry {

RegistryData::RegistryData() : _type(REGISTRY_DATA_INVALID) {}
RegistryData::RegistryData(const std::string& text) : _text(text), _type(REGISTRY_DATA_STRING) {}
RegistryData::RegistryData(std::uint32_t number) : _number(number), _type(REGISTRY_DATA_DWORD) {}
RegistryData::RegistryData(const std::vector<std::uint8_t>& bytes) : _bytes(bytes), _type(REGISTRY_DATA_BINARY) {}

std::string RegistryData::getString() const {
    if (!isString()) throw RegistryUnexpectedTypeException("Tried to get registry string data from a non string type.");
    return _text;
}

std::uint32_t RegistryData::getDword() const {
    if (!isDword()) throw RegistryUnexpectedTypeException("Tried to get registry DWORD data from a non DWORD type.");
    return _number;
}

std::vector<std::uint8_t> RegistryData::getBinary() const {
    if (!isBinary()) throw RegistryUnexpectedTypeException("Tried to get registry binary data from a non binary type.");
    return _bytes;
}

std::string RegistryData::toString() const {
    switch (_type) {
    case REGISTRY_DATA_STRING: return _text;
    case REGISTRY_DATA_DWORD: return std::to_string(_number);
    case REGISTRY_DATA_BINARY: {
        static const char DIGITS[] = "0123456789ABCDEF";
        std::string text;
        text.reserve(_bytes.size() * 2);
        for (const std::uint8_t byte : _bytes) {
            text += DIGITS[byte >> 4];
            text += DIGITS[byte & 0x0F];
        }
        return text;
    }
    case REGISTRY_DATA_INVALID: break;
    }
    throw RegistryUnexpectedTypeException("Cannot convert registry data of the REGISTRY_DATA_INVALID type to a string.");
}

bool RegistryData::operator==(const RegistryData& other) const {
    if (_type != other._type) return false;
    switch (_type) {
    case REGISTRY_DATA_STRING: return _text == other._text;
    case REGISTRY_DATA_DWORD: return _number == other._number;
    case REGISTRY_DATA_BINARY: return _bytes == other._bytes;
    case REGISTRY_DATA_INVALID: return true;
    }
    return false;
}

}  // namespace windows::registry
