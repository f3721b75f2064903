#pragma once
// How much a server can make the product hold. The definitions store takes
// containers that announce at most DEFINITIONS_LIMIT bytes; the updater accepts
// no more, neither as the download nor as what it inflates to.

#include <cstddef>

namespace com::quorvex::products::tamblix {

constexpr std::size_t DESCRIPTION_LIMIT = 1024 * 1024;
constexpr std::size_t DEFINITIONS_LIMIT = 512000000;
// A detached signature document is a few kilobytes for any key a provider makes.
constexpr std::size_t SIGNATURE_LIMIT = 1024 * 1024;

}  // namespace com::quorvex::products::tamblix
