#!/usr/bin/env bash
# Installs what is needed, checks the include order of the layers, builds, and
# runs every test: once plain, once under AddressSanitizer with
# UndefinedBehaviorSanitizer, once under ThreadSanitizer. The test builds make
# every warning an error. Then builds the fuzz targets with clang and runs each
# for 20 s. Exits non-zero on any failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
echo "=== include order of the layers"
bash scripts/check-layers.sh

run_suite() {
  local folder=$1
  shift
  echo "=== $folder: build"
  bash scripts/build.sh "$folder" -DTAMBLIX_WERROR=ON "$@"
  echo "=== $folder: tests"
  (cd "$folder" && ctest --output-on-failure -j "$(nproc)" --timeout 600)
}

# Sanitizer builds: lighter optimisation and line tables only, which keeps the
# reports readable and the build short.
sanitizer_flags="-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
run_suite build/tests
run_suite build/asan -DTAMBLIX_SANITIZE=address,undefined "$sanitizer_flags"
TSAN_OPTIONS="halt_on_error=1" run_suite build/tsan -DTAMBLIX_SANITIZE=thread "$sanitizer_flags"
echo "=== fuzz targets"
bash scripts/fuzz-all.sh 20
echo "All test runs passed."
