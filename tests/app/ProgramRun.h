#pragma once
// The build's demo product for tests that run its programs (see ProcessRun.h).

#include <filesystem>

#include "tests/support/ProcessRun.h"

namespace testing_support {

// Copies the build's demo product (programs and system folder) into folder and
// its demo prefix into prefix.
void copyDemoProduct(const std::filesystem::path& folder, const std::filesystem::path& prefix);

}  // namespace testing_support
