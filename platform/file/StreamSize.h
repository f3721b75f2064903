#pragma once
// The size rules that the file reader and the input stream share.

#include <cstddef>
#include <istream>
#include <string>

namespace platform::file {

// The largest count of bytes read or written in one call (a signed 32-bit count).
constexpr long long MAX_BYTES = 2147483647;

// The size of the whole stream; the read position is left where it was. A failure
// throws the stream library's failure (the stream must raise on failures).
long long streamSize(std::istream& stream);

// The refusal texts of a read of bytesToRead bytes from content of size bytes,
// empty when the read may go ahead.
std::string tooLargeReadText(std::size_t bytesToRead, long long size);
std::string tooBigCountText(std::size_t count);

// The count a read of bytesToRead takes (0 means the whole size).
std::size_t readCount(std::size_t bytesToRead, long long size);

}  // namespace platform::file
