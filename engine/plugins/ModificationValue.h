#pragma once
// The data a registry suggestion writes: a string or a DWORD.

#include <cstdint>
#include <string>

namespace com::quorvex::products::tamblix {

struct ModificationValue {
    static constexpr int TYPE_STRING = 0;
    static constexpr int TYPE_DWORD = 1;

    int type = TYPE_STRING;
    std::uint32_t number = 0;  // for TYPE_DWORD
    std::string text;          // for TYPE_STRING
};

}  // namespace com::quorvex::products::tamblix
