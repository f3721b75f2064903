#pragma once
// Runs a piece of code in a scratch working directory and hands back the
// assertion reports it wrote there.

#include <functional>
#include <string>

#include "tests/support/TempDir.h"

namespace testing_support {

inline std::string assertionReportsOf(const std::function<void()>& code) {
    TempDir folder;
    {
        WorkingDirectory inside(folder.path());
        code();
    }
    return folder.read("assertion.txt");
}

}  // namespace testing_support
