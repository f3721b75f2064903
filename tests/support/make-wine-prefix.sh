#!/usr/bin/env bash
# Creates the Wine prefix that the tests copy (once per build folder): make-wine-prefix.sh <folder>.
# Without wine on the machine it creates nothing, and the tests that need a prefix skip.
set -euo pipefail
folder=$1
if ! command -v wineboot >/dev/null; then
  echo "wine is not installed: tests that need a real prefix will be skipped"
  exit 0
fi
[ -f "$folder/.complete" ] && exit 0
rm -rf "$folder"
export WINEPREFIX=$folder WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i
wineserver -w
touch "$folder/.complete"
