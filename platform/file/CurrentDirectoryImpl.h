#pragma once

#include "platform/file/CurrentDirectory.h"
#include "platform/file/FolderCalls.h"

namespace platform::file {

class CurrentDirectoryImpl : public CurrentDirectory {
public:
    explicit CurrentDirectoryImpl(FolderCalls& calls) : _calls(calls) {}

    void setCurrentDirectory(const std::string& path) override;
    // A root ("C:\") already ends with its backslash and gets no second one.
    std::string getCurrentDirectory() override;

private:
    FolderCalls& _calls;
};

}  // namespace platform::file
