#!/usr/bin/env bash
# Installs Wine's 32-bit half (wine32:i386) where this machine runs 32-bit code. Best effort: it never fails;
# when something goes wrong it takes back what it added, the i386 architecture included, and says why in a line.
set -uo pipefail

say() { echo "install-wine32: $*" >&2; }

if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" &&
  /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi

# A failed attempt is not repeated by every make: its reason is kept until `make clean` (or removing the file).
here=$(cd "$(dirname "$0")" && pwd)
failed="$here/../build/.install-wine32-failed"
if [ -f "$failed" ]; then
  say "not installed: $(cat "$failed") (an earlier attempt; remove build/.install-wine32-failed to try again)"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Some machines of this kind cannot execute 32-bit code at all: a tiny static i386 program tells.
probe_32bit() {
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  movl $42, %%ebx\n  int $0x80\n' >"$work/probe.s"
  as --32 -o "$work/probe.o" "$work/probe.s" 2>/dev/null && ld -m elf_i386 -o "$work/probe" "$work/probe.o" 2>/dev/null ||
    return 2
  "$work/probe" 2>/dev/null
  [ $? -eq 42 ]
}
probe_32bit
case $? in
  0) ;;
  2) say "skipped: the 32-bit check program could not be built (binutils' as --32 and ld -m elf_i386)"; exit 0 ;;
  *) say "skipped: this machine does not execute 32-bit programs"; exit 0 ;;
esac

had_i386=no
dpkg --print-foreign-architectures | grep -qx i386 && had_i386=yes
dpkg-query -W -f='${binary:Package}\n' 2>/dev/null | grep ':i386$' | sort >"$work/i386-before"

# Takes back the i386 packages this run installed and the architecture, then stops with the reason. The amd64
# libraries moved to the version of their i386 twin stay where they are: apt keeps no older copies.
give_up() {
  dpkg-query -W -f='${binary:Package}\n' 2>/dev/null | grep ':i386$' | sort >"$work/i386-after"
  mapfile -t added < <(comm -13 "$work/i386-before" "$work/i386-after")
  [ ${#added[@]} -eq 0 ] || $sudo apt-get purge -y -q "${added[@]}" >"$work/purge.log" 2>&1 ||
    $sudo dpkg --purge --force-depends "${added[@]}" >>"$work/purge.log" 2>&1
  [ $had_i386 = yes ] || $sudo dpkg --remove-architecture i386 2>/dev/null
  mkdir -p "$(dirname "$failed")" && echo "$*" >"$failed"
  say "not installed: $*"
  exit 0
}

[ $had_i386 = yes ] || $sudo dpkg --add-architecture i386 || give_up "dpkg --add-architecture i386 failed"
# A list that cannot be fetched (a mirror caught mid-sync) leaves its i386 packages out; what the others
# hold is still installed, with the versions matched below.
list_missing=no
if ! $sudo apt-get update -q >"$work/update.log" 2>&1; then
  other=$(grep '^E:' "$work/update.log" | grep -v -e 'binary-i386/' -e '^E: Some index files failed' | head -1)
  [ -z "$other" ] || give_up "apt-get update failed: $other"
  list_missing=yes
  say "an i386 package list could not be fetched, the others are used: $(grep -m1 -o 'http[^ ]*binary-i386/[^ ]*' "$work/update.log")"
fi

# The X extensions Wine's display driver loads at run time, which the 64-bit half has here too.
wanted=(wine32:i386 libxrender1:i386 libxrandr2:i386 libxinerama1:i386 libxcursor1:i386 libxi6:i386
  libxfixes3:i386 libxcomposite1:i386 libxxf86vm1:i386)

newest() {
  local best="" v
  while read -r v; do
    [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best" && best=$v
  done
  echo "$best"
}

# A Multi-Arch: same library has one version on both architectures. Each one the i386 side needs and amd64 has
# is pinned, with the rest of its source package, to the installed version; where the i386 lists lack that,
# to the newest version both architectures have: above the installed one, or below it only when an i386 list
# is missing (its i386 build is then out of reach). Pinning the whole source keeps the -dev packages with it.
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
  --no-enhances "${wanted[@]}" 2>/dev/null | grep -o '^[^ <]*:i386$' | sed 's/:i386$//' | sort -u >"$work/needed"
mapfile -t needed <"$work/needed"
# "name:arch version" for every version of those packages, from one look-up.
apt-cache madison "${needed[@]/%/:i386}" "${needed[@]/%/:amd64}" 2>/dev/null |
  awk -F'|' '{n = $1; v = $2; gsub(/ /, "", n); gsub(/ /, "", v); if (n !~ /:/) n = n ":amd64"; print n, v}' \
    >"$work/versions"
versions_of() { awk -v name="$1" '$1 == name { print $2 }' "$work/versions"; }
: >"$work/pins"
matched=()
moved_down=()
upgrades=()
while read -r package version multiarch source; do
  [ "$multiarch" = same ] && grep -qxF "$package" "$work/needed" || continue
  i386_versions=$(versions_of "$package:i386")
  [ -n "$i386_versions" ] || continue
  target=$version
  if ! grep -qxF "$version" <<<"$i386_versions"; then
    target=$(grep -xF -f <(versions_of "$package:amd64") <<<"$i386_versions" | newest)
    [ -n "$target" ] || give_up "no version of $package exists for both architectures"
    if dpkg --compare-versions "$target" lt "$version"; then
      [ $list_missing = yes ] || give_up "$package $version has no i386 build; the newest for both is $target"
      moved_down+=("$package")
    fi
    matched+=("$package=$target")
    upgrades+=("$package:amd64")
  fi
  # A binary-only rebuild adds +bN to some of the source's packages.
  pattern=$(printf '%s' "${target%+b[0-9]*}" | sed 's/[.+~^$]/\\&/g')
  printf 'Package: src:%s\nPin: version /^%s(\\+b[0-9]+)?$/\nPin-Priority: 1001\n\n' "${source%% *}" "$pattern" \
    >>"$work/pins"
done < <(dpkg-query -W -f='${Package} ${Version} ${Multi-Arch} ${source:Package}\n' '*:amd64' 2>/dev/null)
awk -v RS= -v ORS='\n\n' '!seen[$0]++' "$work/pins" >"$work/preferences"

[ ${#matched[@]} -eq 0 ] || say "both architectures at one version: ${matched[*]}"
[ ${#moved_down[@]} -eq 0 ] || say "moved down to the version the i386 lists have: ${moved_down[*]}"
# Nothing installed is removed to make room: apt stops instead.
$sudo apt-get install -y -q --no-install-recommends --no-remove --allow-downgrades \
  -o Dir::Etc::Preferences="$work/preferences" "${wanted[@]}" "${upgrades[@]}" >"$work/install.log" 2>&1 ||
  give_up "apt-get install wine32:i386 was refused: $(grep -m1 -E '^ [^ ].* : |^E:' "$work/install.log" | sed 's/^ *//')"
/usr/lib/wine/wine --version >/dev/null 2>&1 || give_up "the 32-bit Wine loader /usr/lib/wine/wine does not start"
say "installed $(dpkg-query -W -f='${binary:Package} ${Version}' wine32:i386)"
