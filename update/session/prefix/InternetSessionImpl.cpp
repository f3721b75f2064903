// Linux only: the download session's steps over a CurlTransfer.
#include "update/session/prefix/InternetSessionImpl.h"

#include <algorithm>
#include <climits>
#include <new>

namespace windows::internet::prefix {

namespace {

const std::string INTERNET_FAILURE = "CInternetException* e:\n";
const std::string FILE_FAILURE = "CFileException* e\n";

std::string cancelledText(const std::string& url) { return "Internet connection to " + url + " cancelled."; }

// bytesRead is an int: no body may outgrow it.
std::size_t heldLimit(std::size_t bodyLimit) { return std::min<std::size_t>(bodyLimit, INT_MAX); }

}  // namespace

InternetSessionImpl::InternetSessionImpl(const SessionSettings& settings, std::size_t bodyLimit)
    : _settings(settings), _bodyLimit(heldLimit(bodyLimit)) {}

std::vector<char> InternetSessionImpl::download(const std::string& url) {
    _body.clear();
    _body.reserve(std::min(CHUNK, _bodyLimit));
    _bytesRead.store(0);
    CurlTransfer transfer(url, _settings, _bodyLimit, *this);
    _connect(transfer, url);
    try {
        std::vector<char> body = _fetch(transfer, url);
        _disconnect();
        return body;
    } catch (...) {
        _disconnect();
        _body = std::vector<char>();
        throw;
    }
}

void InternetSessionImpl::_connect(CurlTransfer& transfer, const std::string& url) {
    std::lock_guard<std::mutex> hold(_lock);
    if (_sessionState == CANCELLED) throw CancelledException(cancelledText(url));
    _sessionState = IDLE;
    _connection = &transfer;
    _sessionState = DOWNLOADING;
}

void InternetSessionImpl::_disconnect() {
    std::lock_guard<std::mutex> hold(_lock);
    _connection = nullptr;
}

std::vector<char> InternetSessionImpl::_fetch(CurlTransfer& transfer, const std::string& url) {
    TransferEnd end;
    try {
        end = transfer.run();
    } catch (const std::bad_alloc&) {
        _fail(FILE_FAILURE, url, "There is not enough memory for the data.");
    }
    switch (end) {
        case TransferEnd::COMPLETE: break;
        case TransferEnd::INTERRUPTED: throw CancelledException(cancelledText(url));
        case TransferEnd::TOO_LARGE:
            _fail(FILE_FAILURE, url, "The data is longer than the " + std::to_string(_bodyLimit) + " bytes allowed.");
        case TransferEnd::FAILED: _fail(INTERNET_FAILURE, url, transfer.failureText());
    }
    // The last, empty read.
    notifyObservers();
    return std::move(_body);
}

void InternetSessionImpl::_fail(const std::string& kind, const std::string& url, const std::string& text) {
    {
        std::lock_guard<std::mutex> hold(_lock);
        if (_sessionState == CANCELLED) throw CancelledException(cancelledText(url));
        _sessionState = IDLE;
    }
    throw InternetSessionException(kind + "Error connecting or downloading data from: " + url +
                                   "\nSystem error message: " + text.substr(0, CHUNK));
}

bool InternetSessionImpl::accept(const char* data, std::size_t size) {
    for (std::size_t offset = 0; offset < size; offset += CHUNK) {
        const std::size_t count = std::min(CHUNK, size - offset);
        if (count > _bodyLimit - _body.size()) return false;
        // Grows by doubling, but never past the limit.
        if (_body.size() + count > _body.capacity())
            _body.reserve(std::min(std::max(_body.capacity() * 2, _body.size() + count), _bodyLimit));
        _body.insert(_body.end(), data + offset, data + offset + count);
        _bytesRead.fetch_add(static_cast<int>(count));
        notifyObservers();
    }
    return true;
}

void InternetSessionImpl::cancel() {
    std::lock_guard<std::mutex> hold(_lock);
    _sessionState = CANCELLED;
    if (_connection != nullptr) _connection->interrupt();
}

int InternetSessionImpl::getSessionState() {
    std::lock_guard<std::mutex> hold(_lock);
    return _sessionState;
}

}  // namespace windows::internet::prefix
