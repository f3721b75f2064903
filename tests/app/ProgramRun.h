#pragma once
// Runs a built program as a separate process, with WINEPREFIX set.

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
    int exitCode = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs program with arguments from the working directory folder; prefix becomes
// WINEPREFIX (left out when empty).
ProgramResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& prefix);

// Copies the build's demo product (programs and system folder) into folder and
// its demo prefix into prefix.
void copyDemoProduct(const std::filesystem::path& folder, const std::filesystem::path& prefix);

}  // namespace testing_support
