#!/usr/bin/env bash
# Builds the demo product (as demo.sh does), copies it to a scratch folder with
# its update address on a loopback HTTP server (Python's http.server on a free
# port of 127.0.0.1), publishes a newer signed edition there with the publisher's
# release command, and runs "tamblix-cli update" and then "tamblix-cli scan" on
# the copy: the update installs the new edition, the scan runs on it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
# TAMBLIX_DEMO_BUILD names a build folder whose demo product is built already.
release=${TAMBLIX_DEMO_BUILD:-}
if [ -z "$release" ]; then
  bash scripts/install-deps.sh
  bash scripts/build.sh build/release -DTAMBLIX_TESTS=OFF > /dev/null
  release=$top/build/release
fi
publisher=$release/tools/tamblix-publisher
key=$release/demo-keys/private.pem

work=$(mktemp -d)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2> /dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
url="http://127.0.0.1:$port"
cp -r "$release/demo" "$work/product"
mkdir -p "$work/site/demo" "$work/installed"

# The installed edition names the loopback server as its update address.
sed "s|<tamblix-update-url>[^<]*</tamblix-update-url>|<tamblix-update-url>$url/demo/update.xml</tamblix-update-url>|" \
  app/demo/definitions.xml > "$work/definitions.xml"
"$publisher" release "$key" "$work/definitions.xml" "$work/installed" --url "$url/demo"
cp "$work/installed/definitions.xml.tam" "$work/installed/definitions-sig.xml" "$work/product/system/"

# The newer edition: the next counter, today's date.
counter=$(sed -n 's|.*<update-counter>\([0-9]*\)</update-counter>.*|\1|p' "$work/definitions.xml")
sed -e "s|<update-counter>$counter</update-counter>|<update-counter>$((counter + 1))</update-counter>|" \
    -e "s|<update-date>[^<]*</update-date>|<update-date>$(date +%Y-%m-%d)</update-date>|" \
    "$work/definitions.xml" > "$work/newer.xml"
"$publisher" release "$key" "$work/newer.xml" "$work/site/demo" --url "$url/demo"

python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" > "$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('$url/demo/update.xml')" 2> /dev/null && break
  sleep 0.1
done

export WINEPREFIX=$work/product/prefix
echo "Installed: update counter $counter; the server at $url/demo offers $((counter + 1))."
echo "tamblix-cli update"
status=0
"$work/product/tamblix-cli" update || status=$?
[ "$status" = 0 ] || { echo "The update failed (exit code $status)."; exit 1; }
echo
echo "tamblix-cli scan"
status=0
"$work/product/tamblix-cli" scan || status=$?
[ "$status" -le 1 ] || { echo "The scan failed (exit code $status)."; exit 1; }
echo
echo "The update installed counter $((counter + 1)) and the scan ran on it."
