#include "update/compression/ZlibUncompressionStream.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include <zlib.h>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "update/compression/CompressionException.h"
#include "update/compression/ContainerSizeField.h"

namespace compression {

namespace {

// Output reserved at first: a multiple of the compressed length, within bounds so
// that damaged data fails before much is reserved. The buffer doubles from there
// while the stream yields more, never beyond the size field.
constexpr std::size_t FIRST_GUESS_FACTOR = 8;
constexpr std::size_t FIRST_GUESS_SMALLEST = 64 * 1024;
constexpr std::size_t FIRST_GUESS_LARGEST = 64 * 1024 * 1024;
constexpr uInt LARGEST_STEP = std::numeric_limits<uInt>::max();

CompressionException allocationFailure(const std::vector<char>& data, unsigned long maxSize, std::uint32_t bufSize) {
    return CompressionException("Error allocating memory buffer to decompress data.\nCompressed data size: " +
                                std::to_string(data.size()) + ".\nMax allowed data size: " + std::to_string(maxSize) +
                                ".\nTrying to allocate " + std::to_string(bufSize) +
                                " bytes.\nThe first bytes in the compressed data:\n" + quotedLead(data));
}

CompressionException inflateFailure(int result) {
    return CompressionException("Error decompressing data using the 'uncompress' call.\nError code: " +
                                std::to_string(result) + "\n");
}

// Owns an inflate stream from a successful init to its end.
class Inflater {
public:
    Inflater() {
        const int result = inflateInit(&_stream);
        if (result != Z_OK) throw inflateFailure(result);
    }
    ~Inflater() { inflateEnd(&_stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream& stream() { return _stream; }

private:
    z_stream _stream{};
};

void growOutput(std::vector<char>& output, std::size_t size, const std::vector<char>& data, unsigned long maxSize,
                std::uint32_t bufSize) {
    try {
        output.resize(size);
    } catch (const std::bad_alloc&) {
        throw allocationFailure(data, maxSize, bufSize);
    } catch (const std::length_error&) {
        throw allocationFailure(data, maxSize, bufSize);
    }
}

// Inflates the stream behind the size field into at most bufSize bytes. Once the
// buffer is full, inflate gets one byte of scratch room: a byte written there proves
// that the stream needs more room than announced (Z_BUF_ERROR), while no progress
// with room to spare means corrupt or truncated data (Z_DATA_ERROR).
std::vector<char> inflateContainer(const std::vector<char>& data, unsigned long maxSize, std::uint32_t bufSize) {
    const std::size_t compressedLength = data.size() - SIZE_FIELD_LENGTH;
    std::vector<char> output;
    const std::size_t firstGuess =
        std::clamp(compressedLength * FIRST_GUESS_FACTOR, FIRST_GUESS_SMALLEST, FIRST_GUESS_LARGEST);
    growOutput(output, std::min<std::size_t>(bufSize, firstGuess), data, maxSize, bufSize);

    Inflater inflater;
    z_stream& stream = inflater.stream();
    const Bytef* input = reinterpret_cast<const Bytef*>(data.data() + SIZE_FIELD_LENGTH);
    std::size_t inputLeft = compressedLength;
    std::size_t produced = 0;
    Bytef scratch = 0;
    bool full = false;
    int result = Z_OK;
    do {
        if (stream.avail_in == 0 && inputLeft > 0) {
            stream.next_in = const_cast<Bytef*>(input);
            stream.avail_in = static_cast<uInt>(std::min<std::size_t>(inputLeft, LARGEST_STEP));
            input += stream.avail_in;
            inputLeft -= stream.avail_in;
        }
        if (stream.avail_out == 0 && !full) {
            if (produced == output.size() && output.size() < bufSize)
                growOutput(output, std::min<std::size_t>(bufSize, 2 * output.size()), data, maxSize, bufSize);
            full = produced == output.size();
            stream.next_out = full ? &scratch : reinterpret_cast<Bytef*>(output.data() + produced);
            stream.avail_out = full ? 1 : static_cast<uInt>(std::min<std::size_t>(output.size() - produced, LARGEST_STEP));
        }
        const uInt roomBefore = stream.avail_out;
        result = inflate(&stream, Z_NO_FLUSH);
        if (full && stream.avail_out == 0) throw inflateFailure(Z_BUF_ERROR);
        if (!full) produced += roomBefore - stream.avail_out;
    } while (result == Z_OK);

    if (result == Z_STREAM_END) {
        output.resize(produced);
        return output;
    }
    // Without progress and with room to spare the input ran out: the stream is cut short.
    if (result == Z_NEED_DICT || result == Z_BUF_ERROR) throw inflateFailure(Z_DATA_ERROR);
    throw inflateFailure(result);
}

}  // namespace

std::vector<char> ZlibUncompressionStream::uncompress(const std::vector<char>& data, unsigned long maxSize) {
    try {
        if (data.size() < SIZE_FIELD_LENGTH)
            throw CompressionException(
                "Error decompressing data in 'ZlibUncompressionStream::uncompress'.\nThe compressed data size is "
                "too small.\n");
        const std::uint32_t bufSize = readSizeField(data);
        if (bufSize > maxSize) throw allocationFailure(data, maxSize, bufSize);
        return inflateContainer(data, maxSize, bufSize);
    } catch (const CompressionException&) {
        throw;
    } catch (...) {
        throw exceptions::UnexpectedException(
            "Unexpected ... exception in 'ZlibUncompressionStream::uncompress'.\n" +
            SystemErrors::map(platform::getLastError()));
    }
}

}  // namespace compression
