#pragma once
// Expands %NAME% references in a text with the environment of the machine the
// program looks after.

#include <cstdint>
#include <string>

namespace windows::info {

// The platform's expansion call, shaped like ExpandEnvironmentStringsA. Given a
// buffer of size characters that is large enough, it writes the expanded text
// with its terminating zero and returns the count written, the zero included;
// when the buffer is too small (or absent) it returns the count needed and
// writes nothing. It returns 0 on failure, with platform::setLastError set.
class EnvironmentStrings {
public:
    virtual ~EnvironmentStrings() = default;
    virtual std::uint32_t expandEnvironmentStrings(const char* source, char* buffer, std::uint32_t size) const = 0;
};

class EnvironmentExpander {
public:
    explicit EnvironmentExpander(const EnvironmentStrings& strings) : _strings(strings) {}
    virtual ~EnvironmentExpander() = default;

    // Texts of 0 or 1 characters come back unchanged; a text longer than the
    // platform's limit throws BufferExpandException, a failed expansion
    // ExpandException. Names that are not defined stay as they are written.
    virtual std::string expand(const std::string& source) const;

    // The longest text the platform call accepts.
    static constexpr std::size_t MAXIMUM_SOURCE_LENGTH = 32763;

private:
    const EnvironmentStrings& _strings;
};

}  // namespace windows::info
