#pragma once
// How a failing registry call becomes an exception: the Windows code is set as
// the last error, and the text of the call's kind of failure is followed by a
// blank line and the system's text of that code.

#include <string>

namespace windows::registry::tree {

enum class Missing { KEY, VALUE };

struct FailureTexts {
    std::string denied;   // ERROR_ACCESS_DENIED; empty: no class of its own
    std::string missing;  // ERROR_FILE_NOT_FOUND; empty: no class of its own
    Missing missingKind = Missing::KEY;
    std::string other;    // every other code
};

[[noreturn]] void throwRegistryFailure(int code, const FailureTexts& texts);

}  // namespace windows::registry::tree
