#include "platform/file/TestStreamImpl.h"

#include "platform/file/FileExceptions.h"
#include "platform/file/StreamSize.h"

namespace platform::file {

TestStreamImpl::TestStreamImpl(std::vector<char> bytes) : _bytes(std::move(bytes)) {}

long long TestStreamImpl::size() { return static_cast<long long>(_bytes.size()); }

bool TestStreamImpl::isEof() { return _position >= _bytes.size(); }

std::vector<char> TestStreamImpl::read(std::size_t bytesToRead) {
    const long long s = size();
    if (const auto refusal = tooLargeReadText(bytesToRead, s); !refusal.empty())
        throw io::file::IStreamException(refusal);
    const std::size_t count = readCount(bytesToRead, s);
    if (const auto refusal = tooBigCountText(count); !refusal.empty()) throw io::file::IStreamException(refusal);
    if (count > _bytes.size() - _position)
        throw io::file::IStreamException("An error occurred while trying to load the file.");
    std::vector<char> bytes(_bytes.begin() + static_cast<std::ptrdiff_t>(_position),
                            _bytes.begin() + static_cast<std::ptrdiff_t>(_position + count));
    _position += count;
    return bytes;
}

}  // namespace platform::file
