#include "tests/app/ProgramRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/support/TempDir.h"

namespace testing_support {

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

}  // namespace

ProgramResult runProgram(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& folder,
                         const fs::path& prefix) {
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

void copyDemoProduct(const fs::path& folder, const fs::path& prefix) {
    const fs::path demo = TAMBLIX_DEMO_DIR;
    fs::create_directories(folder);
    for (const char* program : {"tamblix", "tamblix-cli"}) fs::copy_file(demo / program, folder / program);
    fs::copy(demo / "system", folder / "system", fs::copy_options::recursive);
    fs::copy(demo / "prefix", prefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace testing_support
