#include "tests/tools/publisher/ToolRun.h"

namespace testing_support {

ToolResult runPublisher(const std::filesystem::path& folder, const std::vector<std::string>& arguments) {
    return runProgram(TAMBLIX_PUBLISHER_TOOL, arguments, folder, "");
}

}  // namespace testing_support
