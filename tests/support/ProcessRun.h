#pragma once
// Runs a built program as a separate process and captures what it prints.

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
// WINEPREFIX (left out of the environment when empty). What it prints is kept
// outside folder, so that folder holds only what the program made.
ProgramResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& prefix);

}  // namespace testing_support
