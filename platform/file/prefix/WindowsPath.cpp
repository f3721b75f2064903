#include "platform/file/prefix/WindowsPath.h"

#include <vector>

#include "platform/failure/LastError.h"
#include "platform/util/CaseFolding.h"
#include "platform/util/Utf8.h"

namespace platform::prefix {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool startsWithIgnoringCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && sameNameIgnoringCase(text.substr(0, start.size()), start);
}

// Splits the names after a root and applies them to base: "." stays, ".." goes
// up (never above the root), every other name must be valid.
bool applyNames(const std::string& text, std::size_t from, AbsolutePath& base, int& error) {
    std::size_t position = from;
    while (position < text.size()) {
        std::size_t end = position;
        while (end < text.size() && !isSeparator(text[end])) ++end;
        std::string name = text.substr(position, end - position);
        position = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!base.names.empty()) base.names.pop_back();
            continue;
        }
        if (!isValidName(name)) {
            error = platform::winerror::INVALID_NAME;
            return false;
        }
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        if (!name.empty()) base.names.push_back(name);
    }
    base.trailingSeparator = !text.empty() && isSeparator(text.back());
    return true;
}

// The characters of a name as Windows counts them for patterns, case folded: its
// UTF-16 code units, and a byte that is not UTF-8 (an encoded surrogate's too) as
// a value no code unit has.
std::vector<char32_t> foldedUnits(const std::string& text) {
    std::vector<char32_t> units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = util::decodeUtf8(text, i, codePoint);
        if (length == 0 || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            units.push_back(0x110000 + static_cast<unsigned char>(text[i++]));
            continue;
        }
        i += length;
        if (codePoint >= 0x10000) {
            units.push_back(0xD800 + ((codePoint - 0x10000) >> 10));
            units.push_back(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            units.push_back(util::foldCase(codePoint));
        }
    }
    return units;
}

}  // namespace

bool sameNameIgnoringCase(const std::string& a, const std::string& b) { return util::sameIgnoringCase(a, b); }

bool isValidName(const std::string& name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32) return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|': return false;
        default: break;
        }
    }
    return true;
}

std::string windowsText(const AbsolutePath& path) {
    std::string text = path.drive ? std::string(1, char(path.drive - 'a' + 'A')) + ":\\" : "\\\\?\\unix\\";
    for (std::size_t i = 0; i < path.names.size(); ++i) text += (i ? "\\" : "") + path.names[i];
    return text;
}

bool absolutePath(const std::string& text, const AbsolutePath& current, AbsolutePath& path, int& error) {
    if (text.empty()) {
        error = platform::winerror::PATH_NOT_FOUND;
        return false;
    }
    std::string rest = text;
    // Long-path and device prefixes before a drive: \\?\C:\ and \\.\C:\.
    if ((startsWithIgnoringCase(rest, "\\\\?\\") || startsWithIgnoringCase(rest, "\\\\.\\")) && rest.size() >= 6 &&
        isLetter(rest[4]) && rest[5] == ':')
        rest = rest.substr(4);

    path = AbsolutePath{};
    std::size_t from = 0;
    if (startsWithIgnoringCase(rest, "\\\\?\\unix") && (rest.size() == 8 || isSeparator(rest[8]))) {
        from = 8;
    } else if (rest.size() >= 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
        error = platform::winerror::BAD_NETPATH;
        return false;
    } else if (rest.size() >= 2 && isLetter(rest[0]) && rest[1] == ':') {
        path.drive = lower(rest[0]);
        from = 2;
        // "c:name" continues the working directory when it is on that drive.
        if (rest.size() == 2 || !isSeparator(rest[2])) {
            if (current.drive == path.drive) path.names = current.names;
        }
    } else if (isSeparator(rest[0])) {
        path.drive = current.drive;
    } else {
        path = current;
    }
    path.trailingSeparator = false;
    return applyNames(rest, from, path, error);
}

bool matchesPattern(const std::string& nameText, const std::string& patternText) {
    if (patternText == "*" || patternText == "*.*") return true;
    const std::vector<char32_t> name = foldedUnits(nameText), pattern = foldedUnits(patternText);
    // Greedy matching with one remembered star, as for simple globs.
    std::size_t n = 0, p = 0, starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform::prefix
