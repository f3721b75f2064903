#include "platform/registry/VariableEnvironment.h"

#include <cstring>
#include <limits>

#include "platform/failure/Exception.h"
#include "platform/failure/LastError.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::info {

namespace {

std::u16string foldedName(const std::string& name) {
    return registry::tree::lowerCase(registry::tree::utf8ToUtf16(name));
}

}  // namespace

std::string expandVariables(std::string_view source, const VariableLookup& lookup) {
    std::string result;
    result.reserve(source.size());
    std::size_t position = 0;
    while (position < source.size()) {
        const std::size_t open = source.find('%', position);
        if (open == std::string_view::npos) break;
        const std::size_t close = source.find('%', open + 1);
        if (close == std::string_view::npos) break;
        result.append(source, position, open - position);
        const auto value = lookup(std::string(source.substr(open + 1, close - open - 1)));
        if (value) {
            result += *value;
            position = close + 1;
        } else {
            // The closing sign may open the next name.
            result.append(source, open, close - open);
            position = close;
        }
    }
    result.append(source, position, std::string_view::npos);
    return result;
}

void EnvironmentVariables::set(const std::string& name, const std::string& value) { _values[foldedName(name)] = value; }

void EnvironmentVariables::remove(const std::string& name) { _values.erase(foldedName(name)); }

std::optional<std::string> EnvironmentVariables::get(const std::string& name) const {
    const auto found = _values.find(foldedName(name));
    if (found == _values.end()) return std::nullopt;
    return found->second;
}

VariableLookup EnvironmentVariables::lookup() const {
    return [this](const std::string& name) { return get(name); };
}

std::uint32_t VariableEnvironmentStrings::expandEnvironmentStrings(const char* source, char* buffer,
                                                                   std::uint32_t size) const {
    if (!source) {
        platform::setLastError(platform::winerror::INVALID_PARAMETER);
        return 0;
    }
    std::string expanded;
    try {
        expanded = expandVariables(source, _lookup);
    } catch (const exceptions::Exception&) {
        platform::setLastError(platform::winerror::INTERNAL_ERROR);
        return 0;
    }
    if (expanded.size() >= std::numeric_limits<std::uint32_t>::max()) {
        platform::setLastError(platform::winerror::NOT_ENOUGH_MEMORY);
        return 0;
    }
    const auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
    if (buffer && size >= needed) std::memcpy(buffer, expanded.c_str(), needed);
    return needed;
}

}  // namespace windows::info
