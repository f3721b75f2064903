#pragma once
// Linux only: the download session over libcurl. One download runs at a time, on
// the caller's thread; cancel() may come from any thread and wakes a download
// blocked in connecting or reading at once. Failures name the address: "CInternetException* e:\n..."
// for what the network or the server did, "CFileException* e\n..." for a body
// the session will not hold (longer than its limit, or more than memory allows).

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "update/session/InternetSession.h"
#include "update/session/SessionSettings.h"
#include "update/session/prefix/CurlTransfer.h"

namespace windows::internet::prefix {

class InternetSessionImpl : public InternetSession, private BodySink {
public:
    // The one chunk of a read and of a notification.
    static constexpr std::size_t CHUNK = 1024;

    enum State { IDLE = 0, DOWNLOADING = 1, CANCELLED = 2 };

    InternetSessionImpl(const SessionSettings& settings, std::size_t bodyLimit);

    std::vector<char> download(const std::string& url) override;
    int getBytesRead() override { return _bytesRead.load(); }
    void cancel() override;

    int getSessionState();

private:
    bool accept(const char* data, std::size_t size) override;
    void _connect(CurlTransfer& transfer, const std::string& url);
    void _disconnect();
    std::vector<char> _fetch(CurlTransfer& transfer, const std::string& url);
    [[noreturn]] void _fail(const std::string& kind, const std::string& url, const std::string& text);

    const SessionSettings _settings;
    const std::size_t _bodyLimit;
    std::atomic<int> _bytesRead{0};
    std::vector<char> _body;
    // Guards the two below: the transfer of the running download and the state.
    std::mutex _lock;
    CurlTransfer* _connection = nullptr;
    int _sessionState = IDLE;
};

}  // namespace windows::internet::prefix
