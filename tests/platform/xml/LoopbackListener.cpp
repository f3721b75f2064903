#include "tests/platform/xml/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace xml_test {

LoopbackListener::LoopbackListener() : _socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (_socket < 0 || ::bind(_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(_socket, 8) != 0 || ::getsockname(_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (_socket >= 0) ::close(_socket);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    _port = ntohs(address.sin_port);
    _acceptor = std::thread([this] { _acceptUntilStopped(); });
}

LoopbackListener::~LoopbackListener() {
    _stopping = true;
    _acceptor.join();
    ::close(_socket);
}

void LoopbackListener::_acceptUntilStopped() {
    while (!_stopping) {
        pollfd waiting{_socket, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) continue;
        const int connection = ::accept(_socket, nullptr, nullptr);
        if (connection < 0) continue;
        _contacted = true;
        ::close(connection);
    }
}

}  // namespace xml_test
