#include "platform/zip/FileArchiveSource.h"

#include <fstream>

namespace com::quorvex::products::tamblix {

std::unique_ptr<std::istream> FileArchiveSource::open(const std::string& path) {
    auto stream = std::make_unique<std::ifstream>();
    stream->exceptions(std::ios::failbit | std::ios::badbit);
    try {
        _calls.openForReading(*stream, path, std::ios::in | std::ios::binary);
    } catch (const std::ios_base::failure&) {
        return nullptr;
    }
    stream->exceptions(std::ios::goodbit);
    return stream;
}

}  // namespace com::quorvex::products::tamblix
