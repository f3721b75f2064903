#include "update/session/ProxyChoice.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace windows::internet {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// The non-empty, trimmed entries of a list separated by ';' (the settings also
// accept spaces and commas between bypass entries).
std::vector<std::string_view> entries(std::string_view list, std::string_view separators) {
    std::vector<std::string_view> found;
    while (!list.empty()) {
        const auto end = list.find_first_of(separators);
        const auto entry = trimmed(list.substr(0, end));
        if (!entry.empty()) found.push_back(entry);
        if (end == std::string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return found;
}

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameLetter(a[i], b[i])) return false;
    return true;
}

// Wildcard match with backtracking over the last '*' only, so it is linear in
// practice and never recursive.
bool matchesPattern(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && sameLetter(pattern[p], text[t])) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool bypassed(std::string_view bypass, std::string_view host) {
    for (const auto entry : entries(bypass, "; ,")) {
        if (sameText(entry, "<local>")) {
            if (host.find('.') == std::string_view::npos) return true;
        } else if (matchesPattern(entry, host)) {
            return true;
        }
    }
    return false;
}

std::string serverFor(std::string_view servers, std::string_view scheme) {
    const auto list = entries(servers, ";");
    for (const auto entry : list) {
        const auto equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (list.size() == 1) return std::string(entry);
            continue;
        }
        if (sameText(trimmed(entry.substr(0, equals)), scheme)) return std::string(trimmed(entry.substr(equals + 1)));
    }
    return "";
}

}  // namespace

std::string proxyFor(const ProxySettings& settings, const std::string& scheme, const std::string& host) {
    if (!settings.enabled || bypassed(settings.bypass, host)) return "";
    return serverFor(settings.server, scheme);
}

}  // namespace windows::internet
