#pragma once
// File calls that answer what a test sets: a peer of the prefix's for the rules
// that hang on platform error codes the prefix cannot be made to give.

#include <deque>
#include <map>

#include "platform/failure/LastError.h"
#include "platform/file/FileCalls.h"

namespace file_tests {

class FakeFileCalls : public platform::file::FileCalls {
public:
    // One step of a listing: an entry, or a failure with its error code.
    struct Step {
        bool delivered;
        int error;
        platform::file::FindRecord entry;
    };

    std::uint32_t attributes = platform::file::INVALID_FILE_ATTRIBUTES;
    int error = 0;             // the last error of every failing call
    bool succeeds = false;     // deleteFile and createDirectory
    std::map<std::string, std::deque<Step>> listings;  // by find pattern; the first step is FindFirstFile's
    std::vector<std::string> calls;

    std::uint32_t getFileAttributes(const std::string& path) override {
        calls.push_back(path);
        platform::setLastError(error);
        return attributes;
    }
    bool deleteFile(const std::string& path) override { return _answer(path); }
    bool createDirectory(const std::string& path) override { return _answer(path); }
    std::unique_ptr<platform::file::FindHandle> findFirstFile(const std::string& pattern,
                                                              platform::file::FindRecord& entry) override {
        calls.push_back(pattern);
        auto& steps = listings[pattern];
        if (steps.empty() || !steps.front().delivered) {
            platform::setLastError(steps.empty() ? platform::winerror::FILE_NOT_FOUND : steps.front().error);
            return nullptr;
        }
        entry = steps.front().entry;
        steps.pop_front();
        return std::make_unique<Handle>(steps);
    }
    void openForReading(std::ifstream&, const std::string&, std::ios::openmode) override {}
    std::unique_ptr<platform::file::FileReplacement> replaceFile(const std::string&, std::ios::openmode) override {
        return nullptr;
    }
    void streamFailed(const std::ios&) override {}

private:
    struct Handle : platform::file::FindHandle {
        explicit Handle(std::deque<Step>& steps) : steps(steps) {}
        bool findNext(platform::file::FindRecord& entry) override {
            if (steps.empty()) {
                platform::setLastError(platform::winerror::NO_MORE_FILES);
                return false;
            }
            const Step step = steps.front();
            steps.pop_front();
            platform::setLastError(step.error);
            if (step.delivered) entry = step.entry;
            return step.delivered;
        }
        std::optional<platform::file::DirectoryIdentity> directory() const override { return std::nullopt; }
        std::deque<Step>& steps;
    };

    bool _answer(const std::string& path) {
        calls.push_back(path);
        if (!succeeds) platform::setLastError(error);
        return succeeds;
    }
};

}  // namespace file_tests
