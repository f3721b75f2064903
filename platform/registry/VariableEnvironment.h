#pragma once
// The expansion call of the platform, done the way Windows does it over a set of
// variables: %NAME% is replaced by the value of NAME (names compared without
// regard to case); a name that is not defined stays as written, percent signs
// included; a % without a closing one is kept as it is.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/EnvironmentExpander.h"

namespace windows::info {

using VariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

std::string expandVariables(std::string_view source, const VariableLookup& lookup);

// Variables by name, compared without regard to case.
class EnvironmentVariables {
public:
    void set(const std::string& name, const std::string& value);
    void remove(const std::string& name);
    std::optional<std::string> get(const std::string& name) const;
    VariableLookup lookup() const;

private:
    std::map<std::u16string, std::string> _values;
};

class VariableEnvironmentStrings : public EnvironmentStrings {
public:
    explicit VariableEnvironmentStrings(VariableLookup lookup) : _lookup(std::move(lookup)) {}
    std::uint32_t expandEnvironmentStrings(const char* source, char* buffer, std::uint32_t size) const override;

private:
    VariableLookup _lookup;
};

}  // namespace windows::info
