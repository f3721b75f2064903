#pragma once
// Helpers shared by the fuzz targets. A target returns normally for every input
// the product answers as designed, its own exceptions included; anything else
// (a crash, a sanitizer report, a std:: exception, a broken property) stops the
// fuzzer with a finding.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/failure/Exception.h"

namespace fuzz {

// Stops the run when a property of the entry point does not hold.
#define FUZZ_REQUIRE(condition)                                                  \
    do {                                                                         \
        if (!(condition)) {                                                      \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition,    \
                         __FILE__, __LINE__);                                    \
            __builtin_trap();                                                    \
        }                                                                        \
    } while (0)

inline std::string text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline std::vector<char> bytes(const std::uint8_t* data, std::size_t size) {
    return std::vector<char>(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
}

// Runs body; the product's own exceptions are a designed answer and pass.
template <typename Body>
bool designedAnswer(Body&& body) {
    try {
        body();
        return true;
    } catch (const exceptions::Exception&) {
        return false;
    }
}

}  // namespace fuzz
