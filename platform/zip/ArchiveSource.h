#pragma once
// Where the zip reader gets an archive's bytes from: a file of the machine named
// by its path, or bytes held in memory.

#include <istream>
#include <memory>
#include <string>

namespace com::quorvex::products::tamblix {

class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;
    // A stream over the archive's bytes, positioned at its start, with no
    // exceptions enabled; nullptr when it cannot be opened.
    virtual std::unique_ptr<std::istream> open(const std::string& path) = 0;
};

}  // namespace com::quorvex::products::tamblix
