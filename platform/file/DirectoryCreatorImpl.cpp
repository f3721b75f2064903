#include "platform/file/DirectoryCreatorImpl.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"
#include "platform/util/parser/StringTokenizer.h"

namespace platform::file {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

void DirectoryCreatorImpl::createDirectory(const std::string& path) {
    if (_calls.createDirectory(path)) return;
    const int error = platform::getLastError();
    if (error == winerror::ALREADY_EXISTS) return;
    throw windows::file::CouldNotCreateDirectoryException("Could not create the directory: '" + path + "'. " +
                                                          SystemErrors::map(error));
}

void DirectoryCreatorImpl::createDirectoryPath(const std::string& path) {
    util::parser::StringTokenizerImpl pieces(path, "\\/");
    const bool network = path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1]);
    std::string built;
    if (network && pieces.hasMoreTokens()) {
        built = "\\\\" + pieces.nextToken();
        if (pieces.hasMoreTokens()) built += "\\" + pieces.nextToken();
    } else if (pieces.hasMoreTokens()) {
        built = (!path.empty() && isSeparator(path[0]) ? "\\" : "") + pieces.nextToken();
    } else {
        return;
    }
    createDirectory(built);
    while (pieces.hasMoreTokens()) {
        built += "\\" + pieces.nextToken();
        createDirectory(built);
    }
}

}  // namespace platform::file
