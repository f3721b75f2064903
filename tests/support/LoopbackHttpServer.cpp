#include "tests/support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <httplib.h>

namespace testing_support {

namespace {

constexpr std::size_t PIECE = 64 * 1024;

using Answer = std::function<void(const httplib::Request&, httplib::Response&)>;

}  // namespace

struct LoopbackHttpServer::State {
    httplib::Server server;
    std::thread thread;
    int port = 0;
    mutable std::mutex lock;
    mutable std::condition_variable changed;
    std::map<std::string, int> requests;
    std::map<std::string, std::string> agents;
    bool released = false;
    // The answers by path. The server reads them on its threads, so they are
    // looked up under the lock instead of being registered with the server.
    std::map<std::string, Answer> answers;

    void answer(const std::string& path, Answer answer) {
        std::lock_guard<std::mutex> hold(lock);
        answers[path] = std::move(answer);
    }
    void dispatch(const httplib::Request& request, httplib::Response& response) {
        Answer found;
        {
            std::lock_guard<std::mutex> hold(lock);
            const auto entry = answers.find(request.path);
            if (entry != answers.end()) found = entry->second;
        }
        count(request);
        if (found) {
            found(request, response);
        } else {
            response.status = 404;
            response.set_content("not served", "text/plain");
        }
    }

    void count(const httplib::Request& request) {
        std::lock_guard<std::mutex> hold(lock);
        ++requests[request.path];
        agents[request.path] = request.get_header_value("User-Agent");
        changed.notify_all();
    }
    bool isReleased() {
        std::lock_guard<std::mutex> hold(lock);
        return released;
    }
};

LoopbackHttpServer::LoopbackHttpServer() : _state(std::make_unique<State>()) {
    _state->server.set_keep_alive_timeout(1);
    _state->server.Get(".*", [state = _state.get()](const httplib::Request& request, httplib::Response& response) {
        state->dispatch(request, response);
    });
    _state->port = _state->server.bind_to_any_port("127.0.0.1");
    if (_state->port <= 0) throw std::runtime_error("the loopback server cannot listen");
    _state->thread = std::thread([state = _state.get()] { state->server.listen_after_bind(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    release();
    // listen_after_bind may not have begun yet; stop() only ends a running server.
    while (!_state->server.is_running() && _state->thread.joinable())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    _state->server.stop();
    _state->thread.join();
}

int LoopbackHttpServer::port() const { return _state->port; }

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(_state->port) + path;
}

void LoopbackHttpServer::serve(const std::string& path, const std::string& body, int status,
                               const std::string& contentType) {
    _state->answer(path, [body, status, contentType](const httplib::Request&,
                                                                                 httplib::Response& response) {
        response.status = status;
        response.set_content(body, contentType.c_str());
    });
}

void LoopbackHttpServer::redirect(const std::string& path, const std::string& location, int status) {
    _state->answer(path, [location, status](const httplib::Request&,
                                                                        httplib::Response& response) {
        response.set_redirect(location, status);
    });
}

void LoopbackHttpServer::hold(const std::string& path) {
    _state->answer(path, [state = _state.get()](const httplib::Request&, httplib::Response& response) {
        std::unique_lock<std::mutex> lock(state->lock);
        state->changed.wait(lock, [state] { return state->released; });
        response.status = 200;
    });
}

void LoopbackHttpServer::breakOff(const std::string& path, std::size_t declaredSize, std::size_t sentSize) {
    _state->answer(path, [declaredSize, sentSize](const httplib::Request&,
                                                                              httplib::Response& response) {
        response.set_content_provider(
            declaredSize, "application/octet-stream",
            [sentSize](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                if (offset >= sentSize) return false;
                const std::string zeros(std::min({length, sentSize - offset, PIECE}), '\0');
                return sink.write(zeros.data(), zeros.size());
            });
    });
}

void LoopbackHttpServer::stall(const std::string& path, std::size_t declaredSize, std::size_t sentSize) {
    _state->answer(path, [state = _state.get(), declaredSize, sentSize](const httplib::Request&,
                                                                          httplib::Response& response) {
        response.set_content_provider(
            declaredSize, "application/octet-stream",
            [state, sentSize](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                if (offset >= sentSize) {
                    std::unique_lock<std::mutex> lock(state->lock);
                    state->changed.wait(lock, [state] { return state->released; });
                    return false;
                }
                const std::string zeros(std::min({length, sentSize - offset, PIECE}), '\0');
                return sink.write(zeros.data(), zeros.size());
            });
    });
}

void LoopbackHttpServer::endless(const std::string& path) {
    _state->answer(path, [state = _state.get()](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("application/octet-stream",
                                              [state](std::size_t, httplib::DataSink& sink) {
                                                  if (state->isReleased()) return false;
                                                  const std::string zeros(PIECE, '\0');
                                                  return sink.write(zeros.data(), zeros.size());
                                              });
    });
}

int LoopbackHttpServer::requestCount(const std::string& path) const {
    std::lock_guard<std::mutex> hold(_state->lock);
    const auto found = _state->requests.find(path);
    return found == _state->requests.end() ? 0 : found->second;
}

bool LoopbackHttpServer::waitForRequest(const std::string& path, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(_state->lock);
    return _state->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [this, &path] { return _state->requests.count(path) != 0; });
}

std::string LoopbackHttpServer::lastAgent(const std::string& path) const {
    std::lock_guard<std::mutex> hold(_state->lock);
    const auto found = _state->agents.find(path);
    return found == _state->agents.end() ? "" : found->second;
}

void LoopbackHttpServer::release() {
    std::lock_guard<std::mutex> hold(_state->lock);
    _state->released = true;
    _state->changed.notify_all();
}

int closedLoopbackPort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0) throw std::runtime_error("no socket for a closed port");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                       ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ::close(socket);
    if (!bound) throw std::runtime_error("no closed port");
    return ntohs(address.sin_port);
}

}  // namespace testing_support
