#pragma once
// One archive held in memory, whatever path it is asked for by.

#include <sstream>
#include <string>

#include "platform/zip/ArchiveSource.h"

namespace com::quorvex::products::tamblix {

class MemoryArchiveSource : public ArchiveSource {
public:
    explicit MemoryArchiveSource(std::string bytes) : _bytes(std::move(bytes)) {}

    std::unique_ptr<std::istream> open(const std::string&) override {
        return std::make_unique<std::istringstream>(_bytes, std::ios::in | std::ios::binary);
    }

private:
    std::string _bytes;
};

}  // namespace com::quorvex::products::tamblix
