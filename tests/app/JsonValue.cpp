#include "tests/app/JsonValue.h"

#include <cstdlib>
#include <stdexcept>

namespace testing_support {

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : _text(text) {}

    JsonValue document() {
        JsonValue value = _value();
        _blank();
        if (_at != _text.size()) _fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void _fail(const std::string& what) {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(_at));
    }
    void _blank() {
        while (_at < _text.size() && (_text[_at] == ' ' || _text[_at] == '\n' || _text[_at] == '\r' || _text[_at] == '\t'))
            ++_at;
    }
    bool _take(const std::string& word) {
        if (_text.compare(_at, word.size(), word) != 0) return false;
        _at += word.size();
        return true;
    }
    JsonValue _value() {
        _blank();
        if (_at >= _text.size()) _fail("missing value");
        JsonValue value;
        const char c = _text[_at];
        if (c == '{') return _object();
        if (c == '[') return _array();
        if (c == '"') {
            value.kind = JsonValue::STRING;
            value.text = _string();
        } else if (_take("true")) {
            value.kind = JsonValue::BOOLEAN;
            value.boolean = true;
        } else if (_take("false")) {
            value.kind = JsonValue::BOOLEAN;
        } else if (_take("null")) {
            value.kind = JsonValue::NUL;
        } else {
            value.kind = JsonValue::NUMBER;
            value.number = _number();
        }
        return value;
    }
    double _number() {
        const std::size_t start = _at;
        if (_at < _text.size() && _text[_at] == '-') ++_at;
        auto digits = [&] {
            const std::size_t from = _at;
            while (_at < _text.size() && _text[_at] >= '0' && _text[_at] <= '9') ++_at;
            if (_at == from) _fail("digits expected");
        };
        if (_at < _text.size() && _text[_at] == '0')
            ++_at;
        else
            digits();
        if (_at < _text.size() && _text[_at] == '.') {
            ++_at;
            digits();
        }
        if (_at < _text.size() && (_text[_at] == 'e' || _text[_at] == 'E')) {
            ++_at;
            if (_at < _text.size() && (_text[_at] == '+' || _text[_at] == '-')) ++_at;
            digits();
        }
        return std::strtod(_text.substr(start, _at - start).c_str(), nullptr);
    }
    static void _utf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    unsigned _hex4() {
        if (_at + 4 > _text.size()) _fail("short \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = _text[_at++];
            code <<= 4;
            if (h >= '0' && h <= '9') code |= unsigned(h - '0');
            else if (h >= 'a' && h <= 'f') code |= unsigned(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') code |= unsigned(h - 'A' + 10);
            else _fail("bad \\u escape");
        }
        return code;
    }
    std::string _string() {
        ++_at;  // the opening quote
        std::string out;
        for (;;) {
            if (_at >= _text.size()) _fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(_text[_at++]);
            if (c == '"') return out;
            if (c < 0x20) _fail("control character in a string");
            if (c != '\\') {
                out += char(c);
                continue;
            }
            if (_at >= _text.size()) _fail("unterminated escape");
            const char e = _text[_at++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    unsigned code = _hex4();
                    if (code >= 0xD800 && code < 0xDC00) {
                        if (!_take("\\u")) _fail("lone surrogate");
                        const unsigned low = _hex4();
                        if (low < 0xDC00 || low > 0xDFFF) _fail("bad surrogate pair");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code < 0xE000) {
                        _fail("lone surrogate");
                    }
                    _utf8(out, code);
                    break;
                }
                default: _fail("unknown escape");
            }
        }
    }
    JsonValue _array() {
        ++_at;
        JsonValue value;
        value.kind = JsonValue::ARRAY;
        _blank();
        if (_take("]")) return value;
        for (;;) {
            value.items.push_back(_value());
            _blank();
            if (_take("]")) return value;
            if (!_take(",")) _fail("',' or ']' expected");
        }
    }
    JsonValue _object() {
        ++_at;
        JsonValue value;
        value.kind = JsonValue::OBJECT;
        _blank();
        if (_take("}")) return value;
        for (;;) {
            _blank();
            if (_at >= _text.size() || _text[_at] != '"') _fail("member name expected");
            const std::string name = _string();
            if (value.members.count(name)) _fail("member " + name + " twice");
            _blank();
            if (!_take(":")) _fail("':' expected");
            value.members[name] = _value();
            value.memberOrder.push_back(name);
            _blank();
            if (_take("}")) return value;
            if (!_take(",")) _fail("',' or '}' expected");
        }
    }

    const std::string& _text;
    std::size_t _at = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
    if (kind != OBJECT) throw std::runtime_error("JSON: not an object where " + name + " was wanted");
    const auto found = members.find(name);
    if (found == members.end()) throw std::runtime_error("JSON: no member " + name);
    return found->second;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
    if (kind != ARRAY || index >= items.size()) throw std::runtime_error("JSON: no item " + std::to_string(index));
    return items[index];
}

JsonValue parseJson(const std::string& text) { return Parser(text).document(); }

}  // namespace testing_support
