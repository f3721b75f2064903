#pragma once
// A TCP port on 127.0.0.1 that records whether anything connected to it. It closes
// every connection at once, so a client that did connect fails fast instead of
// waiting for an answer.

#include <atomic>
#include <thread>

namespace xml_test {

class LoopbackListener {
public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return _port; }
    bool wasContacted() const { return _contacted; }

private:
    void _acceptUntilStopped();

    int _socket = -1;
    int _port = 0;
    std::atomic<bool> _contacted{false};
    std::atomic<bool> _stopping{false};
    std::thread _acceptor;
};

}  // namespace xml_test
