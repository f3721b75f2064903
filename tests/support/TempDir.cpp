#include "tests/support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        _path = std::filesystem::temp_directory_path() / ("tamblix-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(_path)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(_path, ignored);
}

std::filesystem::path TempDir::write(const std::string& relative, const std::string& content) const {
    const auto target = _path / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << content;
    return target;
}

std::string TempDir::read(const std::string& relative) const { return readFile(_path / relative); }

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path)
    : _previous(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(_previous, ignored);
}

}  // namespace testing_support
