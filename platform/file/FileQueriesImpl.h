#pragma once
// The services that answer from a path's attributes or delete a file; they
// differ only in which platform errors mean that the entry is absent.

#include "platform/file/DirectoryExistsQuery.h"
#include "platform/file/FileCalls.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/file/FileRemover.h"

namespace platform::file {

class FileExistsQueryImpl : public FileExistsQuery {
public:
    explicit FileExistsQueryImpl(FileCalls& calls) : _calls(calls) {}
    bool fileExists(const std::string& path) override;

private:
    FileCalls& _calls;
};

class DirectoryExistsQueryImpl : public DirectoryExistsQuery {
public:
    explicit DirectoryExistsQueryImpl(FileCalls& calls) : _calls(calls) {}
    bool directoryExists(const std::string& path) override;

private:
    FileCalls& _calls;
};

class FileRemoverImpl : public FileRemover {
public:
    explicit FileRemoverImpl(FileCalls& calls) : _calls(calls) {}
    void removeFile(const std::string& path) override;

private:
    FileCalls& _calls;
};

}  // namespace platform::file
