#pragma once
// The expression texts of the assertion reports in "assertion.txt" of the
// working directory, in the order written; empty when there is no file.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace engine_testing {

inline std::vector<std::string> assertionMessages() {
    const std::string marker = "Assertion failed. Message: ";
    std::vector<std::string> messages;
    std::ifstream in("assertion.txt", std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(marker, 0) == 0) messages.push_back(line.substr(marker.size()));
    return messages;
}

inline void forgetAssertions() { std::remove("assertion.txt"); }

}  // namespace engine_testing
