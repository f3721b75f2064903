#pragma once
// Linux only: one transfer of one address through libcurl's multi interface, so
// that another thread can wake it at any moment: connecting, waiting for the
// answer or reading the body.

#include <atomic>
#include <cstddef>
#include <exception>
#include <string>

#include "update/session/SessionSettings.h"
#include "update/session/prefix/CurlOwners.h"

namespace windows::internet::prefix {

// Takes the body as it arrives; false ends the transfer.
class BodySink {
public:
    virtual bool accept(const char* data, std::size_t size) = 0;

protected:
    ~BodySink() = default;
};

enum class TransferEnd { COMPLETE, INTERRUPTED, FAILED, TOO_LARGE };

class CurlTransfer {
public:
    // Only http and https are fetched, redirects included; a body declared or
    // found longer than bodyLimit ends in TOO_LARGE.
    CurlTransfer(const std::string& url, const SessionSettings& settings, std::size_t bodyLimit, BodySink& sink);
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Runs the transfer to its end. An exception thrown by the sink is passed on.
    TransferEnd run();
    // libcurl's text of the failure after FAILED.
    const std::string& failureText() const { return _failure; }
    // From any thread: makes run() end as soon as it can, in INTERRUPTED.
    void interrupt();

private:
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* transfer);
    void _configure(const std::string& url, const SessionSettings& settings, std::size_t bodyLimit);
    TransferEnd _finish(CURLcode code);

    BodySink& _sink;
    EasyOwner _easy;
    MultiOwner _multi;
    std::atomic<bool> _interrupted{false};
    bool _refused = false;
    std::exception_ptr _sinkFailure;
    char _errorBuffer[CURL_ERROR_SIZE] = {};
    std::string _failure;
};

}  // namespace windows::internet::prefix
