#include "platform/file/StreamSize.h"

namespace platform::file {

long long streamSize(std::istream& stream) {
    const auto position = stream.tellg();
    stream.seekg(0, std::ios::end);
    const auto end = stream.tellg();
    stream.seekg(position);
    return static_cast<long long>(end);
}

std::string tooLargeReadText(std::size_t bytesToRead, long long size) {
    if (size >= 0 && bytesToRead <= static_cast<unsigned long long>(size)) return "";
    return "Tried to read a larger number of bytes from a file that it contained. Tried to read : " +
           std::to_string(bytesToRead) + " File size: " + std::to_string(size);
}

std::string tooBigCountText(std::size_t count) {
    if (count <= static_cast<unsigned long long>(MAX_BYTES)) return "";
    return "Could not load the file because the file size was too big. The file size is " + std::to_string(count) +
           ". The file cannot be bigger than " + std::to_string(MAX_BYTES) + " bytes.";
}

std::size_t readCount(std::size_t bytesToRead, long long size) {
    if (bytesToRead != 0) return bytesToRead;
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

}  // namespace platform::file
