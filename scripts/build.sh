#!/usr/bin/env bash
# Configures and builds one build folder: build.sh <folder> [cmake options...]
set -euo pipefail
folder=$1
shift
mkdir -p "$folder"
cmake -S "$(dirname "$0")/.." -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$folder.configure.log" 2>&1 ||
  { cat "$folder.configure.log"; exit 1; }
cmake --build "$folder" -j "$(nproc)"
