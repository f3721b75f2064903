#pragma once
// A real HTTP server on 127.0.0.1 for the tests of downloads: it listens on a
// port of its own from construction and serves on its own threads until it is
// destroyed. Each path is given its answer before it is asked for; besides
// ordinary answers it plays the servers a download must survive: one that holds
// a request without answering, one that breaks off in the middle of a body, one
// whose body never ends.

#include <cstddef>
#include <memory>
#include <string>

namespace testing_support {

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    // Lets every held request go, then stops and waits for the server's threads.
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const;
    // "http://127.0.0.1:<port>" + path; path starts with "/".
    std::string url(const std::string& path) const;

    // GET path answers status with body (any bytes), of type contentType.
    void serve(const std::string& path, const std::string& body, int status = 200,
               const std::string& contentType = "application/octet-stream");
    // GET path answers a redirect (302 unless told) to location.
    void redirect(const std::string& path, const std::string& location, int status = 302);
    // GET path is received and never answered, until release() or the end of the server.
    void hold(const std::string& path);
    // GET path announces a body of declaredSize bytes, sends the first sentSize
    // bytes of zeros, then closes the connection.
    void breakOff(const std::string& path, std::size_t declaredSize, std::size_t sentSize);
    // GET path announces a body of declaredSize bytes, sends the first sentSize
    // bytes of zeros, then sends nothing more until release() or the end of the server.
    void stall(const std::string& path, std::size_t declaredSize, std::size_t sentSize);
    // GET path sends a body of zeros without a length, for as long as the client reads.
    void endless(const std::string& path);

    // The requests for path received so far (answered or not).
    int requestCount(const std::string& path) const;
    // Blocks until a request for path has arrived; false after timeoutMs without one.
    bool waitForRequest(const std::string& path, int timeoutMs = 10000) const;
    // The User-Agent of the last request for path, "" before one.
    std::string lastAgent(const std::string& path) const;
    // Answers every held request (with an empty 200) and any later one of a held path.
    void release();

private:
    struct State;
    std::unique_ptr<State> _state;
};

// A port on 127.0.0.1 on which nothing listens (bound and closed again just before).
int closedLoopbackPort();

}  // namespace testing_support
