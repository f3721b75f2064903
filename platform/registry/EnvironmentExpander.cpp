#include "platform/registry/EnvironmentExpander.h"

#include <cstring>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/registry/RegistryExceptions.h"

namespace windows::info {

std::string EnvironmentExpander::expand(const std::string& source) const {
    const std::size_t length = source.length();
    if (length <= 1) return source;
    if (length > MAXIMUM_SOURCE_LENGTH)
        throw BufferExpandException("The source buffer is larger(" + std::to_string(length) +
                                    ") than 32767 bytes, which is the upper limit for the windows expand function.");

    const std::uint32_t needed = _strings.expandEnvironmentStrings(source.c_str(), nullptr, 0);
    if (needed == 0)
        throw ExpandException("Error determining size of environment variable using 'ExpandEnvironmentStrings'.\n"
                              "source string size: " + std::to_string(length) + "\n" +
                              "source variable: " + source + "\n" + SystemErrors::map(platform::getLastError()));

    const std::uint64_t bufferSize = 2ull * needed + 50;
    std::vector<char> buffer(bufferSize, '\0');
    const std::uint32_t written =
        _strings.expandEnvironmentStrings(source.c_str(), buffer.data(), static_cast<std::uint32_t>(bufferSize));
    if (written == 0) {
        const int code = platform::getLastError();
        throw ExpandException("Error when expanding environment variable using 'ExpandEnvironmentStrings'.\n"
                              "source string size: " + std::to_string(length) + "\n" +
                              "source string: " + source + "\n" +
                              "Expanded buffer size: " + std::to_string(bufferSize) + "\n" +
                              "System error code: " + std::to_string(code) + "\n" + SystemErrors::map(code));
    }

    const std::string result(buffer.data(), strnlen(buffer.data(), buffer.size()));
    if (written >= bufferSize - 1)
        throw ExpandException("Problems expanding environmental varible.\n"
                              "Suggested expanded size from 'ExpandEnvironmentStrings' (*2 + 50): " +
                              std::to_string(bufferSize) + "\n" +
                              "Actual expanded size from 'ExpandEnvironmentStrings': " + std::to_string(written) +
                              "\n" + "source string size: " + std::to_string(length) + "\n" +
                              "source string: " + source + "\n" +
                              "Expanded string size: " + std::to_string(result.length()) + "\n" +
                              "Expanded string: " + result + "\n");
    return result;
}

}  // namespace windows::info
