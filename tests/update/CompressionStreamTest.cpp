#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>

#include "update/compression/CompressionException.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/compression/ZlibUncompressionStream.h"

namespace {

using compression::CompressionException;
using Bytes = std::vector<char>;

constexpr unsigned long STARTUP_LIMIT = 512000000UL;
constexpr unsigned long NO_LIMIT = 4294967295UL;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

Bytes repeatedText(std::size_t count) {
    const std::string line = "<entry key=\"HKLM\\Software\\Vendor\" value=\"c:\\program files\\x.exe\"/>\n";
    Bytes bytes;
    while (bytes.size() < count) bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.resize(count);
    return bytes;
}

std::uint32_t sizeField(const Bytes& container) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(container[i])) << (8 * i);
    return value;
}

Bytes withSizeField(Bytes container, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) container[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return container;
}

std::string compressionFailure(const Bytes& data, unsigned long maxSize) {
    try {
        compression::ZlibCompressionStream().compress(data, maxSize);
    } catch (const CompressionException& e) {
        return e.getMessage();
    }
    return "no exception";
}

std::string uncompressionFailure(const Bytes& data, unsigned long maxSize) {
    try {
        compression::ZlibUncompressionStream().uncompress(data, maxSize);
    } catch (const CompressionException& e) {
        return e.getMessage();
    }
    return "no exception";
}

const std::string INFLATE_TOO_SMALL = "Error decompressing data using the 'uncompress' call.\nError code: -5\n";
const std::string INFLATE_CORRUPT = "Error decompressing data using the 'uncompress' call.\nError code: -3\n";

TEST(CompressionStreams, RoundTripKeepsEveryByteAndWritesTwiceTheLengthPlusTwelve) {
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"empty", {}},
        {"one byte (its stream is longer than itself)", bytesOf("x")},
        {"text", bytesOf("<?xml version=\"1.0\" ?>\n<tamblix-definition/>\n")},
        {"every byte value", [] {
             Bytes all;
             for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
             return all;
         }()},
        {"incompressible", randomBytes(300000, 7)},
        // Inflates to many times its compressed length, so the output grows several times.
        {"highly compressible", repeatedText(5 * 1024 * 1024)},
    };
    compression::ZlibCompressionStream compressor;
    compression::ZlibUncompressionStream uncompressor;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes container = compressor.compress(c.data, STARTUP_LIMIT);
        ASSERT_GE(container.size(), 4u + 8u);
        EXPECT_EQ(sizeField(container), 2 * c.data.size() + 12);
        EXPECT_EQ(uncompressor.uncompress(container, STARTUP_LIMIT), c.data);
    }
}

TEST(CompressionStreams, EmptyDataIsTheSizeTwelveAndAnEightByteStream) {
    const Bytes container = compression::ZlibCompressionStream().compress({}, STARTUP_LIMIT);
    ASSERT_EQ(container.size(), 12u);
    EXPECT_EQ(Bytes(container.begin(), container.begin() + 4), (Bytes{0x0C, 0, 0, 0}));
    EXPECT_TRUE(compression::ZlibUncompressionStream().uncompress(container, STARTUP_LIMIT).empty());
}

TEST(CompressionStreams, CompressRefusesABufferAboveTheLimitNamingSizesAndLeadingBytes) {
    const Bytes text = bytesOf("abc");
    EXPECT_EQ(compressionFailure(text, 17),
              "Error allocating memory buffer to compress data.\nUncompressed data size: 3.\nTrying to allocate 18 "
              "bytes.\nThe first bytes in the uncompressed data:\nabc");
    // At most 256 leading bytes are quoted.
    const Bytes long_ = repeatedText(1000);
    EXPECT_EQ(compressionFailure(long_, 100),
              "Error allocating memory buffer to compress data.\nUncompressed data size: 1000.\nTrying to allocate "
              "2012 bytes.\nThe first bytes in the uncompressed data:\n" +
                  std::string(long_.begin(), long_.begin() + 256));
    // The limit itself is allowed.
    EXPECT_NO_THROW(compression::ZlibCompressionStream().compress(text, 18));
}

TEST(CompressionStreams, UncompressRefusesFewerThanFourBytes) {
    for (std::size_t length = 0; length < 4; ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(uncompressionFailure(Bytes(length, '\x0C'), STARTUP_LIMIT),
                  "Error decompressing data in 'ZlibUncompressionStream::uncompress'.\nThe compressed data size is "
                  "too small.\n");
    }
}

TEST(CompressionStreams, SizeFieldAboveTheLimitFailsNamingSizesLimitAndLeadingBytes) {
    const Bytes container = compression::ZlibCompressionStream().compress(repeatedText(2000), STARTUP_LIMIT);
    const struct {
        const char* name;
        std::uint32_t field;
        unsigned long limit;
    } cases[] = {
        {"absurd field", 0xFFFFFFFFu, STARTUP_LIMIT},
        {"one above the limit", 4012, 4011},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes lying = withSizeField(container, c.field);
        EXPECT_EQ(uncompressionFailure(lying, c.limit),
                  "Error allocating memory buffer to decompress data.\nCompressed data size: " +
                      std::to_string(lying.size()) + ".\nMax allowed data size: " + std::to_string(c.limit) +
                      ".\nTrying to allocate " + std::to_string(c.field) +
                      " bytes.\nThe first bytes in the compressed data:\n" +
                      std::string(lying.begin(), lying.begin() + std::min<std::size_t>(256, lying.size())));
    }
}

TEST(CompressionStreams, SizeFieldIsOnlyAnUpperBound) {
    const Bytes data = repeatedText(10000);
    const Bytes container = compression::ZlibCompressionStream().compress(data, STARTUP_LIMIT);
    const struct {
        const char* name;
        std::uint32_t field;
        std::string failure;  // empty: the data comes back
    } cases[] = {
        {"exactly the length", 10000, ""},
        {"far too large", 10000000, ""},
        {"one byte short", 9999, INFLATE_TOO_SMALL},
        {"half the length", 5000, INFLATE_TOO_SMALL},
        {"zero", 0, INFLATE_TOO_SMALL},
    };
    compression::ZlibUncompressionStream uncompressor;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes lying = withSizeField(container, c.field);
        if (c.failure.empty())
            EXPECT_EQ(uncompressor.uncompress(lying, STARTUP_LIMIT), data);
        else
            EXPECT_EQ(uncompressionFailure(lying, STARTUP_LIMIT), c.failure);
    }
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(CompressionStreams, HostileSizeFieldWithoutLimitCostsNoMoreMemoryThanTheData) {
    const Bytes data = bytesOf("<tamblix-definition/>");
    const Bytes hostile = withSizeField(compression::ZlibCompressionStream().compress(data, STARTUP_LIMIT), 0xFFFFFFFFu);
    const long before = peakResidentKilobytes();
    EXPECT_EQ(compression::ZlibUncompressionStream().uncompress(hostile, NO_LIMIT), data);
    EXPECT_LT(peakResidentKilobytes() - before, 64 * 1024) << "a 4 GB size field made the reader reserve its buffer";
}

TEST(CompressionStreams, DamagedStreamsFailWithZlibsCode) {
    const Bytes data = repeatedText(20000);
    const Bytes container = compression::ZlibCompressionStream().compress(data, STARTUP_LIMIT);
    auto flipped = [&](std::size_t at) {
        Bytes copy = container;
        copy[at] = static_cast<char>(copy[at] ^ 0x5A);
        return copy;
    };
    const struct {
        const char* name;
        Bytes container;
    } cases[] = {
        {"size field only", Bytes(container.begin(), container.begin() + 4)},
        {"cut in the middle", Bytes(container.begin(), container.begin() + container.size() / 2)},
        {"checksum missing", Bytes(container.begin(), container.end() - 4)},
        {"damaged header", flipped(4)},
        {"damaged checksum", flipped(container.size() - 1)},
        {"not a zlib stream", withSizeField(bytesOf("....plain text, not compressed"), 1000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(uncompressionFailure(c.container, STARTUP_LIMIT), INFLATE_CORRUPT);
    }
}

TEST(CompressionStreams, BytesAfterTheStreamAreIgnored) {
    const Bytes data = bytesOf("<tamblix-definition/>");
    Bytes container = compression::ZlibCompressionStream().compress(data, STARTUP_LIMIT);
    const std::string trailer = "trailing bytes";
    container.insert(container.end(), trailer.begin(), trailer.end());
    EXPECT_EQ(compression::ZlibUncompressionStream().uncompress(container, STARTUP_LIMIT), data);
}

TEST(CompressionStreams, OneInstanceOfEachServesSeveralThreadsAtOnce) {
    compression::ZlibCompressionStream compressor;
    compression::ZlibUncompressionStream uncompressor;
    const Bytes first = repeatedText(200000);
    const Bytes second = randomBytes(50000, 3);
    int sameBytes[2] = {0, 0};
    auto roundTrips = [&](const Bytes& data, int& same) {
        for (int i = 0; i < 20; ++i)
            if (uncompressor.uncompress(compressor.compress(data, STARTUP_LIMIT), STARTUP_LIMIT) == data) ++same;
    };
    std::thread one(roundTrips, std::cref(first), std::ref(sameBytes[0]));
    std::thread two(roundTrips, std::cref(second), std::ref(sameBytes[1]));
    one.join();
    two.join();
    EXPECT_EQ(sameBytes[0], 20);
    EXPECT_EQ(sameBytes[1], 20);
}

}  // namespace
