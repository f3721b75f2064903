#include "tests/app/ProgramRun.h"

namespace testing_support {

namespace fs = std::filesystem;

void copyDemoProduct(const fs::path& folder, const fs::path& prefix) {
    const fs::path demo = TAMBLIX_DEMO_DIR;
    fs::create_directories(folder);
    for (const char* program : {"tamblix", "tamblix-cli"}) fs::copy_file(demo / program, folder / program);
    fs::copy(demo / "system", folder / "system", fs::copy_options::recursive);
    fs::copy(demo / "prefix", prefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace testing_support
