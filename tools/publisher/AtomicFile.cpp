#include "tools/publisher/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "platform/file/FileExceptions.h"

namespace publisher {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileOwner = std::unique_ptr<std::FILE, FileCloser>;

std::string reason() { return errno ? std::strerror(errno) : "unknown reason"; }

io::filesystem::SaveFileException saveFailure(const std::string& path, const std::string& why) {
    return io::filesystem::SaveFileException("Could not write the file '" + path + "': " + why + ".");
}

std::string temporaryNameFor(const std::string& path) {
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    return path + suffix;
}

// Writes bytes into a file that did not exist before; false with errno set on
// failure. created tells whether the file was made (and so is ours to remove).
bool writeNewFile(const std::string& path, const std::vector<char>& bytes, bool privateFile, bool& created) {
    errno = 0;
    FileOwner file(std::fopen(path.c_str(), "wbx"));
    created = file != nullptr;
    if (!file) return false;
    if (privateFile) {
        std::error_code error;
        std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     error);
        if (error) {
            errno = error.value();
            return false;
        }
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
    if (std::fflush(file.get()) != 0) return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace

std::vector<char> readWholeFile(const std::string& path) {
    errno = 0;
    FileOwner file(std::fopen(path.c_str(), "rb"));
    if (!file) throw io::filesystem::LoadFileException("Could not read the file '" + path + "': " + reason() + ".");
    std::vector<char> bytes;
    char buffer[64 * 1024];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + count);
    if (std::ferror(file.get()))
        throw io::filesystem::LoadFileException("Could not read the file '" + path + "': " + reason() + ".");
    return bytes;
}

void writeFileAtomically(const std::string& path, const std::vector<char>& bytes, bool privateFile) {
    if (path.empty()) throw saveFailure(path, "no file name given");
    const std::string temporary = temporaryNameFor(path);
    bool created = false;
    if (!writeNewFile(temporary, bytes, privateFile, created)) {
        const std::string why = reason();
        std::error_code ignored;
        if (created) std::filesystem::remove(temporary, ignored);
        throw saveFailure(path, why);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw saveFailure(path, error.message());
    }
}

}  // namespace publisher
