#pragma once
// One registry value's data, independent of Windows: a string, a DWORD, binary
// bytes, or invalid (a value the layer could read but not convert).

#include <cstdint>
#include <string>
#include <vector>

namespace windows::registry {

enum RegistryDataType {
    REGISTRY_DATA_STRING = 0,
    REGISTRY_DATA_DWORD = 1,
    REGISTRY_DATA_BINARY = 2,
    REGISTRY_DATA_INVALID = 3,
};

class RegistryData {
public:
    RegistryData();
    explicit RegistryData(const std::string& text);
    explicit RegistryData(std::uint32_t number);
    explicit RegistryData(const std::vector<std::uint8_t>& bytes);
    virtual ~RegistryData() = default;

    RegistryDataType getType() const { return _type; }
    bool isString() const { return _type == REGISTRY_DATA_STRING; }
    bool isDword() const { return _type == REGISTRY_DATA_DWORD; }
    bool isBinary() const { return _type == REGISTRY_DATA_BINARY; }
    bool isInvalid() const { return _type == REGISTRY_DATA_INVALID; }

    // Each throws RegistryUnexpectedTypeException when the data is of another type.
    std::string getString() const;
    std::uint32_t getDword() const;
    std::vector<std::uint8_t> getBinary() const;

    // Strings as they are, DWORDs in decimal, binary data as upper-case hex pairs;
    // invalid data throws RegistryUnexpectedTypeException.
    virtual std::string toString() const;

    bool operator==(const RegistryData& other) const;

private:
    std::string _text;
    std::uint32_t _number = 0;
    std::vector<std::uint8_t> _bytes;
    RegistryDataType _type;
};

}  // namespace windows::registry
