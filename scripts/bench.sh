#!/usr/bin/env bash
# Measures the program side by side with yardsticks in one run and prints each figure next to
# its goal. Nothing here fails because a goal is missed; only a build or a program that cannot
# run makes it fail.
#
#   start-up  brumelka.exe against the same window's standard controls without program code (the
#             bare window under the program's manifest, with the main window's controls), all
#             started by a launcher under the same Wine: time until a visible window, medians;
#             for scale, the bare window (same toolchain, same options) and the bare window
#             with common controls 6 loaded; and the floor of what the first paint shows (the
#             standard-controls window with the program's icon, settings, phone book and fitted
#             labels)
#   memory    peak working set of the same two once they idle after showing the window
#   exit      from brumelka's Exit, chosen in its main menu with nothing to hang up, until the
#             process has ended, against the bare window's close
#   size      the stripped i686 brumelka.exe
#   log       one log entry into a 1 GiB (sparse) log against one into an empty log, natively:
#             the lowest of seven medians of 5000 entries each; beside it the same for a bare
#             append of as long a line, the file system's own share
#   dial      a burst of 1000 progress reports from the stand-in service into the real main
#             window: all in order on the status line, and how long WM_NULL takes meanwhile
#
# The Windows figures come from the i686 build where 32-bit programs can run, else from the
# x86-64 one. Environment:
#   BRUMELKA_BENCH_BUILD  prefix of the build trees (default build/bench: build/bench-native,
#                         build/bench-win32, build/bench-win64)
#   BRUMELKA_BENCH_RUNS   start-up runs per program (default 30: the start of a Wine process alone
#                         varies by tens of milliseconds from run to run)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

prefix="$root/${BRUMELKA_BENCH_BUILD:-build/bench}"
runs="${BRUMELKA_BENCH_RUNS:-30}"
export BRUMELKA_XVFB="${BRUMELKA_XVFB:-1}"

arch=win32
if ! scripts/wine-run.sh --can-run win32; then
  echo "bench: this machine cannot execute 32-bit programs, so the Windows figures come from the win64 build"
  arch=win64
fi

build() {
  local preset="$1" dir="$prefix-$1"
  shift
  cmake --preset "$preset" -B "$dir" -DBRUMELKA_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j2 --target "$@"
}

echo "bench: building"
build native bench_log
build win32 brumelka # the shipped program, for its size
if [ "$arch" = win32 ]; then
  build win32 bench_bare_window bench_styled_window bench_styled_controls bench_content_floor \
    bench_launcher bench_dial_progress rasapi32_standin
else
  build win64 brumelka bench_bare_window bench_styled_window bench_styled_controls \
    bench_content_floor bench_launcher bench_dial_progress rasapi32_standin
fi
win="$prefix-$arch"

export BRUMELKA_WINEPREFIX="${BRUMELKA_WINEPREFIX:-$root/build/wineprefix-bench-$arch}"
export BRUMELKA_WINE_STATE="${BRUMELKA_WINE_STATE:-$root/build/wine-state-bench}"
trap '"$root/scripts/wine-run.sh" --stop' EXIT
wine_run() { "$root/scripts/wine-run.sh" --arch="$arch" "$@"; }

# met <value> <limit>: "met" when value <= limit.
met() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "met" : "NOT met" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
# field <name> <line>: the value of "name=value" in the line; a name is a whole word between
# spaces, so that "ratio" is not found in "raw-ratio".
field() { sed -n "s/\\(.* \\|^\\)$1=\\([^ ]*\\).*/\\2/p" <<<"$2"; }

wine_version=$({ /usr/lib/wine/wine64 --version || wine --version; } 2>/dev/null | head -1) || true
echo "bench: start-up and memory, $runs runs each under ${wine_version:-Wine}"
workdir="$win/bench-run"
rm -rf "$workdir"
mkdir -p "$workdir/demo" "$workdir/programs"
cp "$root/demo/phonebook.ini" "$workdir/demo/phonebook.ini"
# Each program is measured stripped, as brumelka.exe ships.
strip_tool=i686-w64-mingw32-strip
[ "$arch" = win64 ] && strip_tool=x86_64-w64-mingw32-strip
"$strip_tool" -o "$workdir/programs/brumelka.exe" "$win/brumelka.exe"
for name in bare_window styled_window styled_controls content_floor; do
  "$strip_tool" -o "$workdir/programs/$name.exe" "$win/bench/bench_$name.exe"
done
programs="Z:$workdir/programs"
# So is the stand-in of the remote-access service, as a system library is.
"$strip_tool" -o "$workdir/programs/rasapi32.dll" "$win/standin/rasapi32.dll"
export BRUMELKA_RAS_STANDIN="$workdir/programs/rasapi32.dll"
startup=$(cd "$workdir" && BRUMELKA_RAS_PHONEBOOK="Z:$workdir/demo/phonebook.ini" wine_run "$win/bench/bench_launcher.exe" \
  --exit-by-menu=brumelka "$runs" brumelka "$programs/brumelka.exe" bare "$programs/bare_window.exe" \
  styled "$programs/styled_window.exe" controls "$programs/styled_controls.exe" \
  content "$programs/content_floor.exe" |
  tr -d '\r')
program=$(grep '^brumelka ' <<<"$startup")
bare=$(grep '^bare ' <<<"$startup")
styled=$(grep '^styled ' <<<"$startup")
controls=$(grep '^controls ' <<<"$startup")
content=$(grep '^content ' <<<"$startup")

echo "bench: dial progress"
dial=$(cd "$workdir" && { wine_run "$win/bench/bench_dial_progress.exe" 1000 || true; } | tr -d '\r')

echo "bench: log entries"
log=$("$prefix-native/bench/bench_log" "$prefix-native/bench-log" 5000 7)

stripped="$prefix-win32/brumelka-stripped.exe"
i686-w64-mingw32-strip -o "$stripped" "$prefix-win32/brumelka.exe"
size_kib=$(( ($(stat -c %s "$stripped") + 1023) / 1024 ))

p_ms=$(field start-ms "$program") b_ms=$(field start-ms "$bare")
s_ms=$(field start-ms "$styled") c_ms=$(field start-ms "$controls")
f_ms=$(field start-ms "$content")
p_kib=$(field peak-kib "$program") b_kib=$(field peak-kib "$bare")
p_exit=$(field exit-ms "$program") b_exit=$(field exit-ms "$bare")
start_ratio=$(ratio "$p_ms" "$b_ms")
controls_ratio=$(ratio "$p_ms" "$c_ms")
memory_ratio=$(ratio "$p_kib" "$b_kib")
log_ratio=$(field ratio "$log")
log_off=$(awk -v r="$log_ratio" 'BEGIN { d = r - 1; if (d < 0) d = -d; print d }')
dial_ok="NOT met"
if [ "$(field in-order "$dial")" = yes ] && [ "$(field unanswered "$dial")" = 0 ] &&
  [ "$(met "$(field max-answer-ms "$dial")" 100)" = met ]; then
  dial_ok=met
fi

echo
echo "==== make bench ($arch build under Wine for the Windows figures; medians) ===="
printf '  %-9s brumelka %s ms, the same window'"'"'s standard controls without program code %s ms:\n' \
  start-up "$p_ms" "$c_ms"
printf '  %-9s ratio %s (goal <= 1.05) %s\n' "" "$controls_ratio" "$(met "$controls_ratio" 1.05)"
printf '  %-9s for scale, the bare window %s ms (brumelka %s times it), with common controls 6\n' \
  "" "$b_ms" "$start_ratio"
printf '  %-9s loaded %s ms (ratio %s), with the standard controls too ratio %s\n' \
  "" "$s_ms" "$(ratio "$s_ms" "$b_ms")" "$(ratio "$c_ms" "$b_ms")"
printf '  %-9s the floor of what the first paint shows: the standard-controls window with the\n' ""
printf '  %-9s program'"'"'s icon, its settings read, the phone book listed and the labels measured\n' ""
printf '  %-9s %s ms (%s times the standard-controls window); brumelka %s times it\n' \
  "" "$f_ms" "$(ratio "$f_ms" "$c_ms")" "$(ratio "$p_ms" "$f_ms")"
printf '  %-9s brumelka %s KiB, bare window %s KiB: ratio %s (goal <= 1.25) %s\n' \
  memory "$p_kib" "$b_kib" "$memory_ratio" "$(met "$memory_ratio" 1.25)"
printf '  %-9s to the process end: brumelka'"'"'s Exit %s ms, the bare window'"'"'s close %s ms (goal <= 300 ms) %s\n' \
  exit "$p_exit" "$b_exit" "$(met "$p_exit" 300)"
printf '  %-9s stripped i686 brumelka.exe %s KiB (goal <= 512 KiB) %s\n' \
  size "$size_kib" "$(met "$size_kib" 512)"
printf '  %-9s one entry: 1 GiB log %s us, empty log %s us: ratio %s (goal within 10 %%) %s\n' \
  log "$(field big-us "$log")" "$(field empty-us "$log")" "$log_ratio" "$(met "$log_off" 0.10)"
printf '  %-9s (lowest of %s medians of %s entries each); the file system'"'"'s own floor, a bare\n' \
  "" "$(field rounds "$log")" "$(field repetitions "$log")"
printf '  %-9s append of as long a line to the same logs: %s us against %s us, ratio %s\n' \
  "" "$(field raw-big-us "$log")" "$(field raw-empty-us "$log")" "$(field raw-ratio "$log")"
printf '  %-9s %s reports on the status line, in order: %s; burst %s ms, all %s ms;\n' \
  dial "$(field reports "$dial")" "$(field in-order "$dial")" "$(field burst-ms "$dial")" \
  "$(field all-ms "$dial")"
printf '  %-9s %s WM_NULL answered, %s not, longest %s ms (goal: in order, all answered, longest <= 100 ms) %s\n' \
  "" "$(field answers "$dial")" "$(field unanswered "$dial")" "$(field max-answer-ms "$dial")" \
  "$dial_ok"

if [ -x "$root/scripts/bench-report.sh" ]; then
  echo
  "$root/scripts/bench-report.sh"
fi
