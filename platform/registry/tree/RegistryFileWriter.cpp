// Writing Wine's registry file format in Wine's own layout.
#include <algorithm>
#include <numeric>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

const char HEX_DIGITS[] = "0123456789abcdef";

// The letters of the C escapes of control characters; '.' where there is none.
const char CONTROL_ESCAPES[33] = ".......abtnvfr.............e....";

constexpr std::size_t WRAP_COLUMN = 76;

bool isHexDigit(char16_t unit) {
    return (unit >= '0' && unit <= '9') || (unit >= 'a' && unit <= 'f') || (unit >= 'A' && unit <= 'F');
}

void appendHex(std::string& out, std::uint64_t value, int minimumDigits) {
    char digits[16];
    int count = 0;
    do {
        digits[count++] = HEX_DIGITS[value & 0xF];
        value >>= 4;
    } while (value != 0);
    for (int pad = count; pad < minimumDigits; ++pad) out += '0';
    while (count > 0) out += digits[--count];
}

void appendOctal(std::string& out, unsigned value, int minimumDigits) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + (value & 7));
        value >>= 3;
    } while (value != 0);
    for (int pad = count; pad < minimumDigits; ++pad) out += '0';
    while (count > 0) out += digits[--count];
}

// Escapes a name or string: '\', the two quote characters, control characters
// and every unit above 127. Returns the count of characters written.
std::size_t appendEscaped(std::string& out, std::u16string_view text, char quote, char otherQuote) {
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1] : 0;
        if (unit > 127) {
            out += "\\x";
            // Four digits when a hex digit follows, so that it is not read as part of the escape.
            appendHex(out, unit, hasNext && next < 128 && isHexDigit(next) ? 4 : 1);
        } else if (unit < 32) {
            out += '\\';
            if (CONTROL_ESCAPES[unit] != '.')
                out += CONTROL_ESCAPES[unit];
            else
                appendOctal(out, unit, hasNext && next >= '0' && next <= '7' ? 3 : 1);
        } else {
            if (unit == '\\' || unit == quote || unit == otherQuote) out += '\\';
            out += static_cast<char>(unit);
        }
    }
    return out.size() - start;
}

bool isStringType(std::uint32_t type) { return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_MULTI_SZ; }

void appendValue(std::string& out, const StoredValue& value) {
    std::size_t count;
    if (value.name.empty()) {
        out += "@=";
        count = 2;
    } else {
        out += '"';
        count = 1 + appendEscaped(out, value.name, '"', '"');
        out += "\"=";
        count += 2;
    }
    const auto& data = value.data;
    const std::size_t size = data.size();
    // Only strings that end in their zero are written as text.
    if (isStringType(value.type) && size >= 2 && size % 2 == 0 && data[size - 1] == 0 && data[size - 2] == 0) {
        if (value.type != TYPE_SZ) {
            out += "str(";
            appendHex(out, value.type, 1);
            out += "):";
        }
        out += '"';
        const std::u16string units = unitsOfBytes(data.data(), size - 2);
        appendEscaped(out, units, '"', '"');
        out += "\"\n";
        return;
    }
    if (value.type == TYPE_DWORD && size == 4) {
        out += "dword:";
        appendHex(out, data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24), 8);
        out += '\n';
        return;
    }
    const std::size_t typeStart = out.size();
    if (value.type == TYPE_BINARY) {
        out += "hex:";
    } else {
        out += "hex(";
        appendHex(out, value.type, 1);
        out += "):";
    }
    count += out.size() - typeStart;
    for (std::size_t i = 0; i < size; ++i) {
        out += HEX_DIGITS[data[i] >> 4];
        out += HEX_DIGITS[data[i] & 0xF];
        count += 2;
        if (i + 1 < size) {
            out += ',';
            if (++count > WRAP_COLUMN) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out += '\n';
}

class Writer {
public:
    explicit Writer(std::string& out) : _out(out) {}

    void key(const RegistryNode& node, bool isRoot) {
        const auto& attributes = node.attributes();
        // A key with subkeys and nothing else of its own is written through its subkeys.
        const bool ownLine = !node.values().empty() || attributes.className || attributes.isLink ||
                             !attributes.otherLines.empty() ||
                             (node.subkeys().empty() && (!isRoot || attributes.listed));
        if (ownLine) _keyBlock(node);
        for (const auto& subkey : node.subkeys()) {
            _path.push_back(subkey->name());
            key(*subkey, false);
            _path.pop_back();
        }
    }

private:
    void _keyBlock(const RegistryNode& node) {
        const auto& attributes = node.attributes();
        _out += "\n[";
        for (std::size_t i = 0; i < _path.size(); ++i) {
            if (i > 0) _out += "\\\\";
            appendEscaped(_out, _path[i], '[', ']');
        }
        _out += "] ";
        const std::uint64_t filetime = attributes.filetime;
        _out += std::to_string(filetime > FILETIME_OF_1970 ? (filetime - FILETIME_OF_1970) / FILETIME_PER_SECOND : 0);
        _out += "\n#time=";
        appendHex(_out, filetime >> 32, 1);
        appendHex(_out, filetime & 0xFFFFFFFFu, 8);
        _out += '\n';
        if (attributes.className) {
            _out += "#class=\"";
            appendEscaped(_out, *attributes.className, '"', '"');
            _out += "\"\n";
        }
        if (attributes.isLink) _out += "#link\n";
        for (const auto& line : attributes.otherLines) {
            _out += line;
            _out += '\n';
        }
        _values(node.values());
    }

    void _values(const std::vector<StoredValue>& values) {
        const auto before = [](const StoredValue& left, const StoredValue& right) {
            return compareNames(left.name, right.name) < 0;
        };
        if (std::is_sorted(values.begin(), values.end(), before)) {
            for (const auto& value : values) appendValue(_out, value);
            return;
        }
        std::vector<std::size_t> order(values.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t left, std::size_t right) { return before(values[left], values[right]); });
        for (const std::size_t index : order) appendValue(_out, values[index]);
    }

    std::string& _out;
    std::vector<std::u16string_view> _path;
};

}  // namespace

std::string writeRegistryFile(const RegistryFile& file) {
    std::string out;
    out.reserve(std::max<std::size_t>(file.sourceSize + file.sourceSize / 8, 1 << 16));
    out += REGISTRY_FILE_SIGNATURE;
    out += '\n';
    for (const auto& line : file.header) {
        out += line;
        out += '\n';
    }
    Writer(out).key(file.root, true);
    return out;
}

RegistryFile emptyRegistryFile(const std::string& relativeTo, const std::string& archLine) {
    RegistryFile file;
    file.header.push_back(";; All keys relative to " + relativeTo);
    if (!archLine.empty()) {
        file.header.emplace_back();
        file.header.push_back(archLine);
    }
    return file;
}

}  // namespace windows::registry::tree
