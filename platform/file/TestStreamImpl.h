#pragma once

#include "platform/file/IStream.h"

namespace platform::file {

// An input stream over bytes in memory, with the rules of IFStreamImpl (its
// failures carry only the message, as there is no file).
class TestStreamImpl : public IStream {
public:
    explicit TestStreamImpl(std::vector<char> bytes);

    std::vector<char> read(std::size_t bytesToRead) override;
    long long size() override;
    bool isEof() override;

private:
    std::vector<char> _bytes;
    std::size_t _position = 0;
};

}  // namespace platform::file
