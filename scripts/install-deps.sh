#!/usr/bin/env bash
# Installs what building, running and testing need on Debian; does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make clang-format
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev libbenchmark-dev libtomlplusplus-dev libpng-dev
  wine64 xvfb xauth x11-utils imagemagick
  fonts-liberation2 fonts-ipafont-gothic locales
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The Windows tests run a second time with a Japanese locale, where Wine takes code page 932; Wine falls back
# to English when the C library lacks the locale.
make_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' && return 0
  echo "Making the locale ja_JP.UTF-8"
  $sudo localedef -i ja_JP -c -f UTF-8 -A /usr/share/locale/locale.alias ja_JP.UTF-8
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  make_japanese_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A list that cannot be fetched (an i386 list caught mid-sync, say) must not stop what the others hold.
$sudo apt-get update -q || echo "install-deps: some package lists could not be fetched; the others are used" >&2
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
make_japanese_locale
