// Reading Wine's registry file format.
#include "platform/registry/tree/RegistryFileFormat.h"

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::size_t skipSpaces(std::string_view text, std::size_t i) {
    while (i < text.size() && isSpace(text[i])) ++i;
    return i;
}

bool onlySpacesFrom(std::string_view text, std::size_t i) { return skipSpaces(text, i) == text.size(); }

// A # line or a line the registry keeps without interpreting it, as it is written
// back: without the carriage returns at its end, since reading drops one of them
// from every line and would otherwise read the line differently each later time.
std::string_view withoutCarriageReturns(std::string_view line) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string keptLine(std::string_view line) { return std::string(withoutCarriageReturns(line)); }

// Reads at most maxDigits hexadecimal digits; false when there is none.
bool readHex(std::string_view text, std::size_t& i, std::size_t maxDigits, std::uint64_t& value) {
    value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && digits < maxDigits; ++i, ++digits) {
        const int digit = hexDigit(text[i]);
        if (digit < 0) break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return digits > 0;
}

char16_t controlEscape(char letter) {
    switch (letter) {
    case 'a': return 7;
    case 'b': return 8;
    case 't': return 9;
    case 'n': return 10;
    case 'v': return 11;
    case 'f': return 12;
    case 'r': return 13;
    case 'e': return 27;
    default: return 0;
    }
}

// Reads an escaped name or string from text[i] up to its unescaped terminator,
// which it passes; false when the terminator is missing. Bytes above 127 are
// taken as UTF-8.
bool readEscaped(std::string_view text, std::size_t& i, char terminator, std::u16string& out) {
    while (i < text.size()) {
        const char c = text[i];
        if (c == terminator) {
            ++i;
            return true;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            std::size_t end = i;
            while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
            out += utf8ToUtf16(text.substr(i, end - i));
            i = end;
            continue;
        }
        if (c != '\\') {
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != terminator && text[end] != '\\' &&
                   static_cast<unsigned char>(text[end]) < 0x80)
                ++end;
            const std::size_t at = out.size();
            out.resize(at + (end - i));
            for (std::size_t k = i; k < end; ++k) out[at + (k - i)] = static_cast<char16_t>(text[k]);
            i = end;
            continue;
        }
        if (++i >= text.size()) return false;
        const char escaped = text[i];
        if (const char16_t control = controlEscape(escaped)) {
            out += control;
            ++i;
        } else if (escaped == 'x') {
            std::uint64_t unit = 0;
            ++i;
            if (readHex(text, i, 4, unit))
                out += static_cast<char16_t>(unit);
            else
                out += u'x';
        } else if (escaped >= '0' && escaped <= '7') {
            unsigned unit = 0;
            for (int digits = 0; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++digits, ++i)
                unit = unit * 8 + static_cast<unsigned>(text[i] - '0');
            out += static_cast<char16_t>(unit);
        } else if (static_cast<unsigned char>(escaped) < 0x80) {
            out += static_cast<char16_t>(escaped);
            ++i;
        }
    }
    return false;
}

class Parser {
public:
    Parser(std::string_view text, std::uint64_t now) : _text(text), _now(now) {}

    bool run(RegistryFile& file, RegistryFileError& error) {
        const bool parsed = _parse();
        if (!parsed) {
            error = _error;
            return false;
        }
        _file.sourceSize = _text.size();
        file = std::move(_file);
        return true;
    }

private:
    bool _nextLine(std::string_view& line) {
        if (_position >= _text.size()) return false;
        std::size_t end = _text.find('\n', _position);
        if (end == std::string_view::npos) end = _text.size();
        line = _text.substr(_position, end - _position);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        _position = end + 1;
        ++_lineNumber;
        return true;
    }

    bool _fail(const std::string& reason) {
        _error = {_lineNumber == 0 ? 1 : _lineNumber, reason};
        return false;
    }

    bool _parse() {
        std::string_view line;
        if (!_nextLine(line) || line != REGISTRY_FILE_SIGNATURE)
            return _fail("the file does not start with \"" + std::string(REGISTRY_FILE_SIGNATURE) + "\"");
        bool inHeader = true;
        while (_nextLine(line)) {
            const std::string_view text = line.substr(skipSpaces(line, 0));
            const char first = text.empty() ? '\0' : text[0];
            if (first == '[') {
                if (inHeader) _endHeader();
                inHeader = false;
                if (!_keyLine(text)) return false;
            } else if (first == '"' || first == '@') {
                if (inHeader) return _fail("a value comes before the first key");
                if (!_valueLine(text)) return false;
            } else if (inHeader) {
                if (first != '\0' && first != '#' && first != ';') return _fail("the line is not understood");
                _file.header.push_back(keptLine(line));
            } else if (first == '#') {
                if (!_optionLine(text)) return false;
            } else if (first == ';') {
                _key->attributes().otherLines.push_back(keptLine(line));
            } else if (first != '\0') {
                return _fail("the line is not understood");
            }
        }
        if (inHeader) _endHeader();
        _finishKey();
        return true;
    }

    void _endHeader() {
        while (!_file.header.empty() && _file.header.back().empty()) _file.header.pop_back();
    }

    void _finishKey() {
        if (!_key) return;
        for (RegistryNode* ancestor : _implied) ancestor->touch(_key->attributes().filetime);
        _implied.clear();
    }

    bool _keyLine(std::string_view line) {
        _finishKey();
        std::size_t i = 1;
        std::u16string path;
        if (!readEscaped(line, i, ']', path)) return _fail("the key name is not closed by ']'");
        RegistryNode* node = &_file.root;
        std::size_t start = 0;
        while (start <= path.size()) {
            std::size_t end = path.find(u'\\', start);
            if (end == std::u16string::npos) end = path.size();
            if (end > start) {
                bool created = false;
                node = &node->addSubkey(std::u16string_view(path).substr(start, end - start), &created);
                if (created) _implied.push_back(node);
            }
            start = end + 1;
        }
        if (!_implied.empty() && _implied.back() == node) _implied.pop_back();
        _key = node;
        _key->attributes().listed = true;

        i = skipSpaces(line, i);
        std::uint64_t seconds = 0;
        bool hasSeconds = false;
        for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
            seconds = seconds * 10 + static_cast<unsigned>(line[i] - '0');
            hasSeconds = true;
        }
        _key->touch(hasSeconds ? seconds * FILETIME_PER_SECOND + FILETIME_OF_1970 : _now);
        return true;
    }

    bool _optionLine(std::string_view text) {
        const std::string_view line = withoutCarriageReturns(text);
        auto& attributes = _key->attributes();
        if (line.substr(0, 6) == "#time=") {
            std::size_t i = 6;
            std::uint64_t filetime = 0;
            if (!readHex(line, i, 16, filetime) || !onlySpacesFrom(line, i)) return _fail("the #time line is not valid");
            attributes.filetime = filetime;
        } else if (line.substr(0, 8) == "#class=\"") {
            std::size_t i = 8;
            std::u16string className;
            if (!readEscaped(line, i, '"', className)) return _fail("the class name is not closed by '\"'");
            attributes.className = std::move(className);
        } else if (line.substr(0, 5) == "#link" && onlySpacesFrom(line, 5)) {
            attributes.isLink = true;
        } else {
            attributes.otherLines.push_back(keptLine(line));
        }
        return true;
    }

    bool _valueLine(std::string_view line) {
        StoredValue value;
        std::size_t i = 1;
        if (line[0] == '"' && !readEscaped(line, i, '"', value.name))
            return _fail("the value name is not closed by '\"'");
        i = skipSpaces(line, i);
        if (i >= line.size() || line[i] != '=') return _fail("'=' is missing after the value name");
        const std::string_view data = line.substr(skipSpaces(line, i + 1));
        if (!_valueData(data, value)) return false;
        _key->appendValue(std::move(value));
        return true;
    }

    bool _valueData(std::string_view data, StoredValue& value) {
        std::size_t i = 0;
        if (data.substr(0, 4) == "str(") {
            std::uint64_t type = 0;
            i = 4;
            if (!readHex(data, i, 8, type) || data.substr(i, 3) != "):\"")
                return _fail("the value data has an unknown form");
            value.type = static_cast<std::uint32_t>(type);
            i += 2;
        } else {
            value.type = TYPE_SZ;
        }
        if (i < data.size() && data[i] == '"') return _stringData(data, i + 1, value);
        if (data.substr(0, 6) == "dword:") {
            std::uint64_t number = 0;
            i = 6;
            if (!readHex(data, i, 8, number) || !onlySpacesFrom(data, i))
                return _fail("the dword data is not up to 8 hexadecimal digits");
            value.type = TYPE_DWORD;
            for (int byte = 0; byte < 4; ++byte) value.data.push_back(static_cast<std::uint8_t>(number >> (8 * byte)));
            return true;
        }
        if (data.substr(0, 4) == "hex:") {
            value.type = TYPE_BINARY;
            return _hexData(data.substr(4), value.data);
        }
        if (data.substr(0, 4) == "hex(") {
            std::uint64_t type = 0;
            i = 4;
            if (!readHex(data, i, 8, type) || data.substr(i, 2) != "):")
                return _fail("the value data has an unknown form");
            value.type = static_cast<std::uint32_t>(type);
            return _hexData(data.substr(i + 2), value.data);
        }
        return _fail("the value data has an unknown form");
    }

    bool _stringData(std::string_view data, std::size_t i, StoredValue& value) {
        std::u16string text;
        if (!readEscaped(data, i, '"', text)) return _fail("the string is not closed by '\"'");
        if (!onlySpacesFrom(data, i)) return _fail("there is more text after the value");
        text += u'\0';
        value.data = bytesOfUnits(text);
        return true;
    }

    // Comma-separated bytes; a line ending in a backslash continues on the next one.
    bool _hexData(std::string_view line, std::vector<std::uint8_t>& bytes) {
        std::size_t i = 0;
        for (;;) {
            i = skipSpaces(line, i);
            if (i >= line.size()) return true;
            if (line[i] == '\\' && onlySpacesFrom(line, i + 1)) {
                if (!_nextLine(line)) return _fail("the hexadecimal data goes on past the end of the file");
                i = 0;
                continue;
            }
            std::uint64_t byte = 0;
            if (!readHex(line, i, 2, byte)) return _fail("the hexadecimal data is not valid");
            bytes.push_back(static_cast<std::uint8_t>(byte));
            i = skipSpaces(line, i);
            if (i < line.size() && line[i] == ',') {
                ++i;
            } else if (i < line.size() && line[i] != '\\') {
                return _fail("the hexadecimal data is not valid");
            }
        }
    }

    std::string_view _text;
    std::uint64_t _now;
    std::size_t _position = 0;
    std::size_t _lineNumber = 0;
    RegistryFile _file;
    RegistryNode* _key = nullptr;
    std::vector<RegistryNode*> _implied;
    RegistryFileError _error;
};

}  // namespace

bool parseRegistryFile(std::string_view text, std::uint64_t now, RegistryFile& file, RegistryFileError& error) {
    return Parser(text, now).run(file, error);
}

}  // namespace windows::registry::tree
