#pragma once
// Archives that are files of the machine, opened through the file layer's calls
// (so the path is a path of this machine, resolved as every other one).

#include "platform/file/FileCalls.h"
#include "platform/zip/ArchiveSource.h"

namespace com::quorvex::products::tamblix {

class FileArchiveSource : public ArchiveSource {
public:
    explicit FileArchiveSource(platform::file::FileCalls& calls) : _calls(calls) {}

    std::unique_ptr<std::istream> open(const std::string& path) override;

private:
    platform::file::FileCalls& _calls;
};

}  // namespace com::quorvex::products::tamblix
