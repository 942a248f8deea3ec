#!/usr/bin/env bash
# Runs the exe checks of a Windows build tree without ctest: where the tree's test programs
# cannot run (the i686 tree on a 64-bit-only kernel), ctest stops at listing their cases.
#
#   check-tree.sh BUILD-DIR
set -euo pipefail

tree="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

cached() {
  sed -n "s/^$1:[A-Z]*=//p" "$tree/CMakeCache.txt"
}

objdump=$(cached CMAKE_OBJDUMP)
[ -n "$objdump" ] || {
  echo "$tree: no CMAKE_OBJDUMP in CMakeCache.txt"
  exit 1
}
# The same binutils' windres: i686-w64-mingw32-objdump beside i686-w64-mingw32-windres.
windres="${objdump%objdump}windres"

status=0
"$here/check-imports.sh" "$objdump" "$tree/brumelka.exe" || status=1
"$here/check-resources.sh" "$windres" "$tree/brumelka.exe" || status=1
exit "$status"
