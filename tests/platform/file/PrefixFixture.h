#pragma once
// A small prefix in a scratch folder: dosdevices/c: -> ../drive_c, more drives on
// request, and the file services made for it.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/support/TempDir.h"

namespace file_tests {

class FakeRegistryAnswers : public platform::prefix::RegistryAnswers {
public:
    std::map<char, int> types;
    std::optional<std::string> documents;

    std::optional<int> driveType(char letter) const override {
        const auto found = types.find(letter);
        if (found == types.end()) return std::nullopt;
        return found->second;
    }
    std::optional<std::string> documentsFolder() const override { return documents; }
};

class PrefixFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // A dosdevices entry: drive "d:" leading to target (relative to dosdevices or absolute).
    void drive(const std::string& name, const std::filesystem::path& target) const;
    // A file or folder below drive_c, parents made as needed.
    std::filesystem::path file(const std::string& relative, const std::string& content = "") const;
    std::filesystem::path folder(const std::string& relative) const;
    std::string content(const std::string& relative) const;
    platform::prefix::WinePrefix prefix() const { return platform::prefix::WinePrefix(root); }

    // The services, made at first use (after the drives and registry answers are set).
    platform::prefix::PrefixFileServices& services();
    std::string currentDirectory() { return services().currentDirectory().getCurrentDirectory(); }

    testing_support::TempDir scratch;
    std::filesystem::path root;
    std::filesystem::path driveC;
    FakeRegistryAnswers registry;
    bool useRegistry = false;

private:
    std::unique_ptr<platform::prefix::WinePrefix> _prefix;
    std::unique_ptr<platform::prefix::PrefixFileServices> _services;
};

// The text of the exception a call throws, empty when it throws none.
template <class Thrown, class Call>
std::string thrownText(Call call) {
    try {
        call();
    } catch (const Thrown& e) {
        return e.getMessage();
    }
    return "";
}

}  // namespace file_tests
