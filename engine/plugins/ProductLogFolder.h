#pragma once
// The product's log folder, "My <product> Logs" in the user's documents folder:
// the fix log and the registry undo file lie side by side in it. The engine
// finds it when a fix starts; plugins that leave a file there read it here.

#include <string>

namespace platform::file {
class FolderCalls;
}

namespace com::quorvex::products::tamblix {

// documents + "\My " + product name + " Logs".
std::string productLogFolder(const std::string& documents, const std::string& productName);

class ProductLogFolder {
public:
    explicit ProductLogFolder(platform::file::FolderCalls& folders) : _folders(folders) {}
    // Keeps and returns the folder below the documents folder (made when missing;
    // the product's folder is not). Throws windows::info::GetFolderPathException.
    std::string locate(const std::string& productName);
    // What the last locate found; empty before.
    const std::string& path() const { return _path; }

private:
    platform::file::FolderCalls& _folders;
    std::string _path;
};

}  // namespace com::quorvex::products::tamblix
