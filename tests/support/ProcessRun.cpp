#include "tests/support/ProcessRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/support/TempDir.h"

namespace testing_support {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

}  // namespace

ProgramResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::filesystem::path& prefix) {
    const TempDir capture;
    const auto output = capture.path() / "output";
    const auto errors = capture.path() / "errors";
    std::string command = "cd " + quoted(folder.string()) + " && ";
    command += prefix.empty() ? "env -u WINEPREFIX " : "WINEPREFIX=" + quoted(prefix.string()) + " ";
    command += quoted(program.string());
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " >" + quoted(output.string()) + " 2>" + quoted(errors.string()) + " </dev/null";
    const int status = std::system(command.c_str());
    if (status == -1) throw std::runtime_error("could not run " + command);
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.output = readFile(output);
    result.errors = readFile(errors);
    return result;
}

}  // namespace testing_support
