#pragma once
// A unique scratch folder for one test, removed with everything in it.

#include <filesystem>
#include <string>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return _path; }
    // Writes a file below the folder, creating its parent folders.
    std::filesystem::path write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;

private:
    std::filesystem::path _path;
};

// Switches the working directory for the life of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path);
    ~WorkingDirectory();

private:
    std::filesystem::path _previous;
};

std::string readFile(const std::filesystem::path& path);

}  // namespace testing_support
