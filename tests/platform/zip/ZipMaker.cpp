#include "tests/platform/zip/ZipMaker.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/ProcessRun.h"

namespace zip_tests {

void makeZip(const std::filesystem::path& out, const std::string& membersJson, const std::string& damage) {
    const char* source = std::getenv("TAMBLIX_SOURCE_DIR");
    ASSERT_TRUE(source) << "TAMBLIX_SOURCE_DIR is not set";
    const auto script = std::filesystem::path(source) / "tests/platform/zip/make-zip.py";
    std::vector<std::string> arguments{script.string(), out.string(), membersJson};
    if (!damage.empty()) arguments.push_back(damage);
    const auto result = testing_support::runProgram("/usr/bin/python3", arguments, out.parent_path(), "");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
}

std::string member(const std::string& name, const std::string& bytes, const std::string& method,
                   const std::string& extra) {
    static const char DIGITS[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += DIGITS[byte >> 4];
        hex += DIGITS[byte & 0xF];
    }
    return "{\"name\": \"" + name + "\", \"hex\": \"" + hex + "\", \"method\": \"" + method + "\"" +
           (extra.empty() ? "" : ", " + extra) + "}";
}

}  // namespace zip_tests
