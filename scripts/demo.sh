#!/usr/bin/env bash
# Installs what is needed, builds the programs and the demo product, and scans the
# demo prefix with the demo product in normal mode (packed, signed definitions)
# through the headless command line. Exits 0 when the scan ran (whether or not
# it suggested anything), non-zero when it failed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build/release -DTAMBLIX_TESTS=OFF
demo="$top/build/release/demo"
echo "The demo product is in $demo: the programs, system/ (definitions packed and signed"
echo "with a key made for this build folder) and the demo Wine prefix in prefix/."
echo "Scanning the demo prefix: WINEPREFIX=$demo/prefix $demo/tamblix-cli scan"
echo
status=0
WINEPREFIX="$demo/prefix" "$demo/tamblix-cli" scan || status=$?
echo
case $status in
  0) echo "The scan found nothing to suggest." ;;
  1) echo "The scan found suggestions; 'tamblix-cli fix --select recommended' applies the preselected ones." ;;
  *) echo "The scan failed (exit code $status)."; exit $status ;;
esac
