#pragma once
// A test on its own copy of the build's Wine prefix, skipped where wine or the
// prefix is missing. A derived SetUp calls this one first and returns when
// IsSkipped().

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"

namespace testing_support {

class WinePrefixTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!winePrefixAvailable()) GTEST_SKIP() << "wine or the build's Wine prefix is missing";
        copyWinePrefix(prefix);
        // Wine reads its command lines in the locale's encoding.
        ::setenv("LC_ALL", "C.UTF-8", 1);
    }

    TempDir scratch;
    std::filesystem::path prefix = scratch.path() / "prefix";
};

}  // namespace testing_support
