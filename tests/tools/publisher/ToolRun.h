#pragma once
// Runs the built publisher's tool as a separate process.

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct ToolResult {
    int exitCode = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs the tool with arguments in folder (its working directory).
ToolResult runPublisher(const std::filesystem::path& folder, const std::vector<std::string>& arguments);

}  // namespace testing_support
