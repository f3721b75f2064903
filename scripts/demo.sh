#!/usr/bin/env bash
# Installs what is needed, builds the programs and runs the main job on the bundled demo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build/release -DTAMBLIX_TESTS=OFF
echo "Built the libraries in build/release. The demo product grows with the engine."
