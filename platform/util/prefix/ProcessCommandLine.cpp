// Linux implementation of the process's command line: the kernel keeps the
// arguments as texts each ended by a null byte.
#include "platform/util/ProcessCommandLine.h"

#include <fstream>
#include <iterator>

namespace util {

std::string processCommandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string block((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::string::size_type start = 0;
    while (start < block.size()) {
        auto end = block.find('\0', start);
        if (end == std::string::npos) end = block.size();
        arguments.push_back(block.substr(start, end - start));
        start = end + 1;
    }
    return windowsCommandLineOf(arguments);
}

}  // namespace util
