// Linux only: the factory of the libcurl sessions.
#include "update/session/prefix/InternetSessionFactoryImpl.h"

#include <curl/curl.h>

#include "update/session/prefix/InternetSessionImpl.h"

namespace windows::internet::prefix {

InternetSessionFactoryImpl::InternetSessionFactoryImpl(const SessionSettings& settings) : _settings(settings) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

InternetSessionFactoryImpl::~InternetSessionFactoryImpl() { curl_global_cleanup(); }

std::unique_ptr<InternetSession> InternetSessionFactoryImpl::createSession(std::size_t bodyLimit) {
    return std::make_unique<InternetSessionImpl>(_settings, bodyLimit);
}

}  // namespace windows::internet::prefix
