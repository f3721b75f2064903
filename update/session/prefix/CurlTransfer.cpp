// Linux only: the download of one address over libcurl.
#include "update/session/prefix/CurlTransfer.h"

#include <new>

#include "update/session/ProxyChoice.h"

namespace windows::internet::prefix {

namespace {

constexpr const char* AGENT = "Microsoft Internet Browser";
constexpr const char* FETCHED_PROTOCOLS = "http,https";
constexpr long MOST_REDIRECTS = 10;
// Only an upper bound of one wait: curl_multi_poll returns earlier for network
// activity, for curl's own timers and for interrupt().
constexpr int LONGEST_WAIT_MS = 1000;

std::string urlPart(CURLU* parsed, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(parsed, part, &text, 0) != CURLUE_OK) return "";
    std::string copy(text);
    curl_free(text);
    return copy;
}

// The proxy the settings name for url; "" (direct) also when url cannot be
// parsed, which curl then reports itself.
std::string proxyForUrl(const std::string& url, const ProxySettings& settings) {
    if (!settings.enabled) return "";
    UrlOwner parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_DEFAULT_SCHEME) != CURLUE_OK)
        return "";
    return proxyFor(settings, urlPart(parsed.get(), CURLUPART_SCHEME), urlPart(parsed.get(), CURLUPART_HOST));
}

}  // namespace

CurlTransfer::CurlTransfer(const std::string& url, const SessionSettings& settings, std::size_t bodyLimit,
                           BodySink& sink)
    : _sink(sink), _easy(curl_easy_init()), _multi(curl_multi_init()) {
    if (!_easy || !_multi) throw std::bad_alloc();
    _configure(url, settings, bodyLimit);
}

void CurlTransfer::_configure(const std::string& url, const SessionSettings& settings, std::size_t bodyLimit) {
    CURL* easy = _easy.get();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, AGENT);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, FETCHED_PROTOCOLS);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, FETCHED_PROTOCOLS);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, MOST_REDIRECTS);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, settings.connectTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, settings.stallTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(bodyLimit));
    // An empty proxy is a direct fetch, whatever the process environment says.
    const std::string proxy = proxyForUrl(url, settings.proxy);
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, _errorBuffer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
}

std::size_t CurlTransfer::onBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<CurlTransfer*>(context);
    const std::size_t bytes = size * count;
    if (transfer->_interrupted.load()) return 0;
    try {
        if (transfer->_sink.accept(data, bytes)) return bytes;
        transfer->_refused = true;
    } catch (...) {
        transfer->_sinkFailure = std::current_exception();
    }
    return 0;
}

void CurlTransfer::interrupt() {
    _interrupted.store(true);
    curl_multi_wakeup(_multi.get());
}

TransferEnd CurlTransfer::run() {
    if (curl_multi_add_handle(_multi.get(), _easy.get()) != CURLM_OK) throw std::bad_alloc();
    int running = 1;
    CURLMcode status = CURLM_OK;
    while (status == CURLM_OK && !_interrupted.load()) {
        status = curl_multi_perform(_multi.get(), &running);
        if (status != CURLM_OK || running == 0 || _interrupted.load()) break;
        status = curl_multi_poll(_multi.get(), nullptr, 0, LONGEST_WAIT_MS, nullptr);
    }
    CURLcode code = CURLE_OK;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(_multi.get(), &queued))
        if (message->msg == CURLMSG_DONE) code = message->data.result;
    curl_multi_remove_handle(_multi.get(), _easy.get());
    if (_sinkFailure) std::rethrow_exception(_sinkFailure);
    if (_interrupted.load()) return TransferEnd::INTERRUPTED;
    if (status != CURLM_OK) {
        _failure = curl_multi_strerror(status);
        return TransferEnd::FAILED;
    }
    return _finish(code);
}

TransferEnd CurlTransfer::_finish(CURLcode code) {
    if (code == CURLE_OK) return TransferEnd::COMPLETE;
    if (_refused || code == CURLE_FILESIZE_EXCEEDED) return TransferEnd::TOO_LARGE;
    _failure = _errorBuffer[0] != '\0' ? _errorBuffer : curl_easy_strerror(code);
    return TransferEnd::FAILED;
}

}  // namespace windows::internet::prefix
