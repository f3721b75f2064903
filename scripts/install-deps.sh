#!/usr/bin/env bash
# Installs everything the build, the demo and the tests need, from Debian's packages.
set -euo pipefail

packages=(
  cmake make g++ pkg-config git python3
  zlib1g-dev libminizip-dev libxml2-dev libssl-dev libcurl4-openssl-dev libboost-regex-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  wine
  gcc-mingw-w64-x86-64
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
