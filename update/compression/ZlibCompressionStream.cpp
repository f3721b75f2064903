#include "update/compression/ZlibCompressionStream.h"

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include <zlib.h>

#include "platform/failure/Assertion.h"
#include "update/compression/CompressionException.h"
#include "update/compression/ContainerSizeField.h"

namespace compression {

namespace {

CompressionException allocationFailure(const std::vector<char>& data, std::uint64_t bufSize) {
    return CompressionException("Error allocating memory buffer to compress data.\nUncompressed data size: " +
                                std::to_string(data.size()) + ".\nTrying to allocate " + std::to_string(bufSize) +
                                " bytes.\nThe first bytes in the uncompressed data:\n" + quotedLead(data));
}

}  // namespace

std::vector<char> ZlibCompressionStream::compress(const std::vector<char>& data, unsigned long maxSize) {
    // Computed in 64 bits: the field must hold the real value, never a wrapped one.
    const std::uint64_t bufSize = 2 * static_cast<std::uint64_t>(data.size()) + 12;
    if (bufSize > maxSize || bufSize > std::numeric_limits<std::uint32_t>::max())
        throw allocationFailure(data, bufSize);

    std::vector<char> container;
    try {
        container.resize(SIZE_FIELD_LENGTH + bufSize);
    } catch (const std::bad_alloc&) {
        throw allocationFailure(data, bufSize);
    } catch (const std::length_error&) {
        throw allocationFailure(data, bufSize);
    }

    uLongf compressedLength = static_cast<uLongf>(bufSize);
    const int result = compress2(reinterpret_cast<Bytef*>(container.data() + SIZE_FIELD_LENGTH), &compressedLength,
                                 reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9);
    if (result != Z_OK)
        throw CompressionException("Error compressing data using the 'compress2' call.\nError code: " +
                                   std::to_string(result) + "\n");

    writeSizeField(static_cast<std::uint32_t>(bufSize), container.data());
    container.resize(SIZE_FIELD_LENGTH + compressedLength);
    TAMBLIX_ASSERT(container.size() == compressedLength + SIZE_FIELD_LENGTH);
    return container;
}

}  // namespace compression
