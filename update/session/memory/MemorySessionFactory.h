#pragma once
// Download sessions over a table of addresses held in memory, for tests: each
// address answers with a body, fails with a text, or blocks until its session is
// cancelled. Sessions keep the contract of InternetSession.h: chunks of at most
// 1024 bytes with a notification after each and after the last empty read, the
// body limit, CancelledException for a cancelled session (also one cancelled
// before its download), the failure texts naming the address. Every download
// asked is recorded with the limit of its session. The table is set up before
// sessions download; the record may be read while they do.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "update/session/InternetSession.h"

namespace windows::internet::memory {

struct MemoryAnswer {
    enum Kind { BODY, FAILURE, BLOCK };
    Kind kind = BODY;
    std::string body;     // BODY: the bytes; FAILURE: the failure text
};

MemoryAnswer body(std::string bytes);
MemoryAnswer failure(std::string text);
// Accepts and never answers: the download ends only when it is cancelled.
MemoryAnswer blocking();

class MemorySessionFactory : public InternetSessionFactory {
public:
    std::unique_ptr<InternetSession> createSession(std::size_t bodyLimit) override;

    void answer(const std::string& url, MemoryAnswer answer);
    // Called on the downloading thread after each chunk of the address's body,
    // with the bytes read so far (for tests that act in the middle of a download).
    std::function<void(const std::string& url, int bytesRead)> onChunk;

    struct Request {
        std::string url;
        std::size_t bodyLimit;
    };
    std::vector<Request> requests();
    std::vector<std::string> urls();
    // Waits until a download of url blocks.
    void waitUntilBlocked(const std::string& url);

private:
    friend class MemorySession;
    MemoryAnswer _lookup(const std::string& url, std::size_t bodyLimit);
    void _blocked(const std::string& url);

    std::mutex _lock;
    std::condition_variable _changed;
    std::map<std::string, MemoryAnswer> _answers;
    std::vector<Request> _requests;
    std::vector<std::string> _blockedUrls;
};

}  // namespace windows::internet::memory
