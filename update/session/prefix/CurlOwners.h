#pragma once
// Linux only: move-only owners of libcurl handles, each released with its own
// cleanup function.

#include <memory>

#include <curl/curl.h>

namespace windows::internet::prefix {

template <class T, void (*Free)(T*)>
struct CurlFree {
    void operator()(T* handle) const { Free(handle); }
};

inline void freeMulti(CURLM* multi) { curl_multi_cleanup(multi); }

using EasyOwner = std::unique_ptr<CURL, CurlFree<CURL, curl_easy_cleanup>>;
using MultiOwner = std::unique_ptr<CURLM, CurlFree<CURLM, freeMulti>>;
using UrlOwner = std::unique_ptr<CURLU, CurlFree<CURLU, curl_url_cleanup>>;

}  // namespace windows::internet::prefix
