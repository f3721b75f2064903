#!/usr/bin/env bash
# kill-update.sh N: builds the demo product, then runs N definition updates of the
# demo against a loopback HTTP server, each killed with SIGKILL at a random instant,
# and checks after each that the product starts in normal mode with a whole, verified
# pair (the old one or the new one). Prints survived/total. TAMBLIX_DEMO_BUILD names
# a build folder whose demo product is built already.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:?usage: kill-update.sh N}
build=${TAMBLIX_DEMO_BUILD:-}
if [ -z "$build" ]; then
  bash "$top/scripts/build.sh" "$top/build/release" -DTAMBLIX_TESTS=OFF > /dev/null
  build=$top/build/release
fi
python3 "$top/scripts/kill-update.py" "$runs" "$build"
