#!/usr/bin/env bash
# Says whether the win32 tree's programs can run here: exits 0 when 32-bit Wine starts, else prints why.
if [ ! -x /usr/lib/wine/wine ]; then
  echo "32-bit Wine (wine32:i386) is not installed; scripts/install-wine32.sh tells why"
  exit 1
fi
# The loader is a 32-bit program itself: its starting shows that this machine runs them.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "the 32-bit Wine loader /usr/lib/wine/wine does not start here"
  exit 1
fi
