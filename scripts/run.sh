#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine.
#
# The i686 build is the one that ships; on a machine that cannot execute 32-bit programs the
# x86-64 build runs instead. The program runs in its own folder build/run-<arch>/ and its own
# Wine prefix build/wineprefix-run-<arch>/, apart from the test prefixes. Wine has no
# remote-access service: the project's stand-in rasapi32.dll is put into that prefix, and it
# serves the demo phone book demo/phonebook.ini to the program's own remote-access calls.
#
# With DISPLAY set the program runs in the foreground until it is closed. Without DISPLAY it
# runs on a private Xvfb: once its main window is up a screenshot is saved to
# build/screenshots/main.png, then the program and the Xvfb are stopped.
#
#   scripts/run.sh [program.exe]   (a program given here is run instead of building one)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

arch=win32
if ! scripts/wine-run.sh --can-run win32; then
  echo "run: this machine cannot execute 32-bit programs, so the win64 build runs instead of win32"
  arch=win64
fi

if [ $# -ge 1 ]; then
  exe="$(realpath "$1")"
else
  cmake --preset "$arch"
  cmake --build --preset "$arch" --target brumelka rasapi32_standin
  exe="$root/build/$arch/brumelka.exe"
fi
standin="$root/build/$arch/standin/rasapi32.dll"
[ -f "$standin" ] || cmake --build --preset "$arch" --target rasapi32_standin
[ -f "$exe" ] || {
  echo "run: $exe was not built" >&2
  exit 1
}

workdir="$root/build/run-$arch"
mkdir -p "$workdir/demo"
cp "$exe" "$workdir/brumelka.exe"
cp "$root/demo/phonebook.ini" "$workdir/demo/phonebook.ini"
export BRUMELKA_RAS_STANDIN="$standin"
export BRUMELKA_RAS_PHONEBOOK="Z:$workdir/demo/phonebook.ini"
# A scheduled power-off writes its request into demo/system.log instead of ending the session.
export BRUMELKA_SIMULATE="Z:$workdir/demo"

export BRUMELKA_WINEPREFIX="$root/build/wineprefix-run-$arch"
export BRUMELKA_WINE_STATE="$root/build/wine-state-run"
cd "$workdir"

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting $workdir/brumelka.exe on $DISPLAY; it runs until you close it"
  exec "$root/scripts/wine-run.sh" --arch="$arch" "$workdir/brumelka.exe"
fi

stop() { "$root/scripts/wine-run.sh" --stop; }

echo "run: no DISPLAY, so the program runs on a private Xvfb"
"$root/scripts/wine-run.sh" --arch="$arch" "$workdir/brumelka.exe" &
program=$!

# The display number appears once wine-run.sh has the Xvfb up.
display=""
for _ in $(seq 1 600); do
  if [ -s "$BRUMELKA_WINE_STATE/xvfb.display" ]; then
    display=":$(cat "$BRUMELKA_WINE_STATE/xvfb.display")"
    break
  fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$display" ]; then
  wait "$program" && code=0 || code=$?
  echo "run: the program ended (exit code $code) before a display came up" >&2
  stop
  exit 1
fi

# Wine gives every top-level window of the program the X class "brumelka.exe"; the main window
# is the first of them that is mapped and larger than an icon.
main_window() {
  local id geometry
  for id in $(xwininfo -display "$display" -root -tree 2>/dev/null |
    awk '/\("brumelka\.exe" "brumelka\.exe"\)/ { print $1 }'); do
    geometry=$(xwininfo -display "$display" -id "$id" 2>/dev/null) || continue
    grep -q 'Map State: IsViewable' <<<"$geometry" || continue
    [ "$(awk '/Width:/ { print $2 }' <<<"$geometry")" -gt 64 ] || continue
    echo "$id"
    return 0
  done
  return 1
}

window=""
for _ in $(seq 1 120); do # the first run also creates the Wine prefix
  window=$(main_window) && break
  if ! kill -0 "$program" 2>/dev/null; then
    wait "$program" && code=0 || code=$?
    echo "run: the program ended (exit code $code) without showing its main window" >&2
    stop
    exit 1
  fi
  sleep 1
done
if [ -z "$window" ]; then
  echo "run: no main window appeared within 120 s" >&2
  stop
  exit 1
fi

sleep 2 # let the window finish painting
mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/main.png"
import -display "$display" -window root "$shot"
title=$(xwininfo -display "$display" -id "$window" | sed -n 's/^xwininfo: Window id: [^ ]* //p')
echo "run: main window $window $title is up"
echo "run: screenshot saved to $shot"
echo "run: stopping the program and its Xvfb (its forced end shows as a non-zero exit code)"
stop
wait "$program" 2>/dev/null || true
echo "run: the program and its Xvfb have been stopped"
