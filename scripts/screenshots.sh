#!/usr/bin/env bash
# Takes the README's pictures of the program under Wine on a private Xvfb and saves them as
# docs/screenshots/<window>.png: the main window, the users, settings and power-off dialogs and
# the tray menu. tools/screenshots drives the program; this script builds it, runs it and
# turns its BMP files into small PNG files.
#
#   scripts/screenshots.sh [--tree=DIR] [--out=DIR]
#
#   --tree  the CMake tree (default build/win32, or build/win64 where 32-bit programs can't run)
#   --out   where the PNG files go (default docs/screenshots)
#
# The program runs in the Wine prefix BRUMELKA_WINEPREFIX (default
# build/wineprefix-screenshots-<arch>) with the state BRUMELKA_WINE_STATE (default
# build/wine-state-screenshots); both are stopped at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

arch=win32
scripts/wine-run.sh --can-run win32 || arch=win64
tree=""
out="$root/docs/screenshots"
for arg in "$@"; do
  case "$arg" in
    --tree=*) tree="$(realpath -m "${arg#--tree=}")" ;;
    --out=*) out="$(realpath -m "${arg#--out=}")" ;;
    *)
      echo "screenshots: unknown argument $arg" >&2
      exit 2
      ;;
  esac
done
[ -n "$tree" ] || tree="$root/build/$arch"
if [ "$arch" = win64 ]; then
  echo "screenshots: this machine cannot execute 32-bit programs, so the x86-64 build is shown"
fi

cmake --preset "$arch" -B "$tree" >/dev/null
cmake --build "$tree" --target brumelka_screenshots

export BRUMELKA_WINEPREFIX="${BRUMELKA_WINEPREFIX:-$root/build/wineprefix-screenshots-$arch}"
export BRUMELKA_WINE_STATE="${BRUMELKA_WINE_STATE:-$root/build/wine-state-screenshots}"
export BRUMELKA_XVFB=1 # the same screen size and fonts wherever the pictures are taken
shots=$(mktemp -d)
trap 'scripts/wine-run.sh --stop; rm -rf "$shots"' EXIT

BRUMELKA_SCREENSHOTS="Z:$shots" BRUMELKA_PHONEBOOK="Z:$root/demo/phonebook.ini" \
  scripts/wine-run.sh "$tree/brumelka_screenshots.exe"

mkdir -p "$out"
for bmp in "$shots"/*.bmp; do
  png="$out/$(basename "$bmp" .bmp).png"
  # No time chunks: the same picture gives the same file.
  convert "$bmp" -strip -define png:exclude-chunks=date,time "$png"
  echo "screenshots: $png ($(identify -format '%wx%h' "$png"), $(stat -c %s "$png") bytes)"
done
