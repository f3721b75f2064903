#include <gtest/gtest.h>

#include <string>

#include "update/session/ProxyChoice.h"

namespace {

using windows::internet::ProxySettings;
using windows::internet::proxyFor;

struct ProxyCase {
    const char* what;
    ProxySettings settings;
    const char* scheme;
    const char* host;
    const char* expected;
};

TEST(ProxyChoice, FollowsTheSystemsInternetSettings) {
    const ProxyCase cases[] = {
        {"proxy off", {false, "proxy:8080", ""}, "http", "example.com", ""},
        {"one proxy for all", {true, "proxy:8080", ""}, "https", "example.com", "proxy:8080"},
        {"trimmed", {true, "  proxy:8080 ", ""}, "http", "example.com", "proxy:8080"},
        {"enabled without a server", {true, "", ""}, "http", "example.com", ""},
        {"per scheme, http", {true, "http=web:80;https=secure:443", ""}, "http", "example.com", "web:80"},
        {"per scheme, https", {true, "http=web:80;https=secure:443", ""}, "https", "example.com", "secure:443"},
        {"scheme names in any case", {true, "HTTPS=secure:443", ""}, "https", "example.com", "secure:443"},
        {"no entry for the scheme", {true, "ftp=files:21;http=web:80", ""}, "https", "example.com", ""},
        {"bypassed exactly", {true, "proxy:8080", "intranet;example.com"}, "http", "example.com", ""},
        {"bypass without regard to case", {true, "proxy:8080", "EXAMPLE.com"}, "http", "example.COM", ""},
        {"bypass by wildcard", {true, "proxy:8080", "*.corp.example"}, "http", "www.corp.example", ""},
        {"wildcard needs its dot", {true, "proxy:8080", "*.corp.example"}, "http", "corp.example", "proxy:8080"},
        {"wildcard in the middle", {true, "proxy:8080", "10.*.1"}, "http", "10.0.0.1", ""},
        {"<local> is a name without a dot", {true, "proxy:8080", "<local>"}, "http", "intranet", ""},
        {"<local> leaves dotted names", {true, "proxy:8080", "<local>"}, "http", "example.com", "proxy:8080"},
        {"bypass entries among blanks", {true, "proxy:8080", " ; other.org ;; example.com "}, "http", "example.com",
         ""},
        {"a host not listed", {true, "proxy:8080", "other.org;*.net"}, "http", "example.com", "proxy:8080"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(proxyFor(c.settings, c.scheme, c.host), c.expected);
    }
}

}  // namespace
