#pragma once
// A strict JSON reader for checking what the command line prints: parse fails
// (with the offset) on anything that is not one well-formed JSON value, so a
// report that merely looks right does not pass.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

struct JsonValue {
    enum Kind { NUL, BOOLEAN, NUMBER, STRING, ARRAY, OBJECT };
    Kind kind = NUL;
    bool boolean = false;
    double number = 0;
    std::string text;  // STRING: the decoded UTF-8 text
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;
    std::vector<std::string> memberOrder;

    // Throws std::runtime_error for a missing member or a value of another kind.
    const JsonValue& operator[](const std::string& name) const;
    const JsonValue& operator[](std::size_t index) const;
    bool has(const std::string& name) const { return members.count(name) != 0; }
};

// Throws std::runtime_error naming the offset of the first fault.
JsonValue parseJson(const std::string& text);

}  // namespace testing_support
