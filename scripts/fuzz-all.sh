#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz and runs each for the given
# number of seconds: fuzz-all.sh <seconds>. Fails on the first crash, leak,
# timeout, memory limit or sanitizer report. For a long campaign of one target
# use fuzz.sh <target> <seconds>.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
folder=$top/build/fuzz
echo "=== $folder: build"
bash "$top/scripts/build.sh" "$folder" -DCMAKE_CXX_COMPILER=clang++ -DTAMBLIX_FUZZ=ON -DTAMBLIX_TESTS=OFF
for corpus in "$top"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  log=$folder/fuzz-$target.log
  if ! bash "$top/scripts/fuzz.sh" "$target" "$seconds" > "$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz target $target failed; the input is in $folder/findings/$target/" >&2
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^stat::average_exec_per_sec" "$log" | tr '\n' ' ' | sed "s/^/$target: /"
  echo
done
echo "All fuzz targets ran clean."
