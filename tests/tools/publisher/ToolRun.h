#pragma once
// Runs the built publisher's tool as a separate process.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ProcessRun.h"

namespace testing_support {

using ToolResult = ProgramResult;

// Runs the tool with arguments in folder (its working directory).
ToolResult runPublisher(const std::filesystem::path& folder, const std::vector<std::string>& arguments);

}  // namespace testing_support
