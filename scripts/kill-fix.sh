#!/usr/bin/env bash
# kill-fix.sh N: builds the demo product, then runs N fixes of the demo (every
# suggestion selected) on fresh copies of the demo prefix, each killed with SIGKILL
# at a random instant, and checks after each that the product starts and that every
# registry value that is gone is in an undo file. Prints survived/total.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:?usage: kill-fix.sh N}
bash "$top/scripts/build.sh" "$top/build/release" -DTAMBLIX_TESTS=OFF > /dev/null
python3 "$top/scripts/kill-fix.py" "$runs" "$top/build/release/demo"
