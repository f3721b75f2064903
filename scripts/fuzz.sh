#!/usr/bin/env bash
# Runs one fuzz target for as long as asked: fuzz.sh <target> <seconds> [libFuzzer options...]
# The target is one of fuzz/corpus/*; the fuzz build folder (build/fuzz) is built
# by fuzz-all.sh or on first use here. The committed corpus is copied to a scratch
# folder, so what the fuzzer adds stays out of the tree; a finding is written to
# build/fuzz/findings/<target>/ and the script exits non-zero.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
target=$1
seconds=$2
shift 2
folder=${TAMBLIX_FUZZ_FOLDER:-$top/build/fuzz}
binary=$folder/fuzz/fuzz_$target
[ -d "$top/fuzz/corpus/$target" ] || { echo "no fuzz target '$target'" >&2; exit 2; }
if [ ! -x "$binary" ]; then
  bash "$top/scripts/build.sh" "$folder" -DCMAKE_CXX_COMPILER=clang++ -DTAMBLIX_FUZZ=ON -DTAMBLIX_TESTS=OFF
fi

scratch=$folder/scratch/$target
findings=$folder/findings/$target
rm -rf "$scratch"
mkdir -p "$scratch" "$findings"
cp "$top/fuzz/corpus/$target"/* "$scratch"/

# The memory limits: a single allocation above 1 GB or a process above 2 GB is a
# finding, as is an input that takes more than 30 s. Leaks are findings too.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
echo "=== fuzz $target for ${seconds}s"
"$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=30 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" "$@" "$scratch"
