#include "tests/platform/file/PrefixFixture.h"

#include <fstream>

namespace file_tests {

void PrefixFixture::SetUp() {
    root = scratch.path() / "prefix";
    driveC = root / "drive_c";
    std::filesystem::create_directories(root / "dosdevices");
    std::filesystem::create_directories(driveC);
    drive("c:", "../drive_c");
}

void PrefixFixture::drive(const std::string& name, const std::filesystem::path& target) const {
    std::filesystem::create_symlink(target, root / "dosdevices" / name);
}

std::filesystem::path PrefixFixture::file(const std::string& relative, const std::string& content) const {
    const auto path = driveC / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::filesystem::path PrefixFixture::folder(const std::string& relative) const {
    const auto path = driveC / relative;
    std::filesystem::create_directories(path);
    return path;
}

std::string PrefixFixture::content(const std::string& relative) const {
    return testing_support::readFile(driveC / relative);
}

platform::prefix::PrefixFileServices& PrefixFixture::services() {
    if (!_services) {
        _prefix = std::make_unique<platform::prefix::WinePrefix>(root);
        _services = std::make_unique<platform::prefix::PrefixFileServices>(*_prefix, useRegistry ? &registry : nullptr);
    }
    return *_services;
}

}  // namespace file_tests
