#include "update/session/memory/MemorySessionFactory.h"

#include <algorithm>

namespace windows::internet::memory {

MemoryAnswer body(std::string bytes) { return {MemoryAnswer::BODY, std::move(bytes)}; }
MemoryAnswer failure(std::string text) { return {MemoryAnswer::FAILURE, std::move(text)}; }
MemoryAnswer blocking() { return {MemoryAnswer::BLOCK, ""}; }

class MemorySession : public InternetSession {
public:
    MemorySession(MemorySessionFactory& factory, std::size_t bodyLimit) : _factory(factory), _bodyLimit(bodyLimit) {}

    std::vector<char> download(const std::string& url) override {
        _bytesRead = 0;
        {
            std::lock_guard<std::mutex> hold(_lock);
            if (_cancelled) throw cancelled(url);
        }
        const MemoryAnswer answer = _factory._lookup(url, _bodyLimit);
        if (answer.kind == MemoryAnswer::FAILURE) throw InternetSessionException(answer.body);
        if (answer.kind == MemoryAnswer::BLOCK) {
            std::unique_lock<std::mutex> hold(_lock);
            _factory._blocked(url);
            _changed.wait(hold, [&] { return _cancelled; });
            throw cancelled(url);
        }
        std::vector<char> result;
        for (std::size_t at = 0;;) {
            const std::size_t count = std::min<std::size_t>(1024, answer.body.size() - at);
            if (result.size() + count > _bodyLimit)
                throw InternetSessionException("The answer from " + url + " is longer than " +
                                               std::to_string(_bodyLimit) + " bytes.");
            result.insert(result.end(), answer.body.begin() + at, answer.body.begin() + at + count);
            at += count;
            _bytesRead += static_cast<int>(count);
            notifyObservers();
            if (_factory.onChunk && count > 0) _factory.onChunk(url, _bytesRead);
            std::lock_guard<std::mutex> hold(_lock);
            if (_cancelled) throw cancelled(url);
            if (count == 0) break;
        }
        return result;
    }

    int getBytesRead() override { return _bytesRead; }

    void cancel() override {
        std::lock_guard<std::mutex> hold(_lock);
        _cancelled = true;
        _changed.notify_all();
    }

private:
    static CancelledException cancelled(const std::string& url) {
        return CancelledException("Internet connection to " + url + " cancelled.");
    }

    MemorySessionFactory& _factory;
    const std::size_t _bodyLimit;
    std::atomic<int> _bytesRead{0};
    std::mutex _lock;
    std::condition_variable _changed;
    bool _cancelled = false;
};

std::unique_ptr<InternetSession> MemorySessionFactory::createSession(std::size_t bodyLimit) {
    return std::make_unique<MemorySession>(*this, bodyLimit);
}

void MemorySessionFactory::answer(const std::string& url, MemoryAnswer answer) {
    std::lock_guard<std::mutex> hold(_lock);
    _answers[url] = std::move(answer);
}

std::vector<MemorySessionFactory::Request> MemorySessionFactory::requests() {
    std::lock_guard<std::mutex> hold(_lock);
    return _requests;
}

std::vector<std::string> MemorySessionFactory::urls() {
    std::vector<std::string> urls;
    for (const Request& request : requests()) urls.push_back(request.url);
    return urls;
}

void MemorySessionFactory::waitUntilBlocked(const std::string& url) {
    std::unique_lock<std::mutex> hold(_lock);
    _changed.wait(hold, [&] { return std::find(_blockedUrls.begin(), _blockedUrls.end(), url) != _blockedUrls.end(); });
}

MemoryAnswer MemorySessionFactory::_lookup(const std::string& url, std::size_t bodyLimit) {
    std::lock_guard<std::mutex> hold(_lock);
    _requests.push_back({url, bodyLimit});
    const auto found = _answers.find(url);
    if (found == _answers.end()) return failure("CInternetException* e:\nError connecting or downloading data from: " + url +
                                                "\nSystem error message: The server name could not be resolved.");
    return found->second;
}

void MemorySessionFactory::_blocked(const std::string& url) {
    std::lock_guard<std::mutex> hold(_lock);
    _blockedUrls.push_back(url);
    _changed.notify_all();
}

}  // namespace windows::internet::memory
