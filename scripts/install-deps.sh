#!/usr/bin/env bash
# Installs what building, running and testing need on Debian; does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make clang-format
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev libbenchmark-dev libtomlplusplus-dev libpng-dev
  wine64 xvfb xauth x11-utils imagemagick
  fonts-liberation2 fonts-ipafont-gothic
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# A list that cannot be fetched (an i386 list caught mid-sync, say) must not stop what the others hold.
$sudo apt-get update -q || echo "install-deps: some package lists could not be fetched; the others are used" >&2
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
