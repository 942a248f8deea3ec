#!/usr/bin/env bash
# Reports a generated connection log of about 100 MB with the native brumelka-report (Release)
# and prints one figure line: the size, the best of three runs, and MB/s (1 MB = 2^20 bytes).
# The goal is well under a second per 100 MB. Builds what it needs in its own tree.
#
# Environment:
#   BRUMELKA_REPORT_BENCH_BUILD  build tree (default build/bench-report)
#   BRUMELKA_REPORT_BENCH_MB     log size in MB (default 100)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

dir="$root/${BRUMELKA_REPORT_BENCH_BUILD:-build/bench-report}"
megabytes="${BRUMELKA_REPORT_BENCH_MB:-100}"

cmake --preset native -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBRUMELKA_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target brumelka-report >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$work/connects.log"

# The program's texts in Windows-1251, as the log holds them.
cp1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; }
separator="$(cp1251 ' о такій годині: ')"

# Four users take turns: connect, a mark every 10 minutes, a disconnect (now and then none,
# or one bearing an empty name); one line in a thousand is garbage. Time runs on over months.
LC_ALL=C awk -v target=$((megabytes * 1048576)) -v sep="$separator" \
  -v connect="$(cp1251 'з`єднався')" -v disconnect="$(cp1251 'розз`єднався')" \
  -v mark="$(cp1251 'працював')" -v user2="$(cp1251 'Оксана')" -v user3="$(cp1251 'Петро Іваненко')" '
  function days(m, y) {
    if (m == 2) return (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 29 : 28
    return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31
  }
  function tick(minutes) {
    mi += minutes
    while (mi >= 60) { mi -= 60; h++ }
    while (h >= 24) { h -= 24; d++ }
    while (d > days(mo, y)) { d -= days(mo, y); mo++; if (mo > 12) { mo = 1; y++ } }
  }
  function put(user, action) {
    line = sprintf("%s %s %02d.%02d.%04d%s%d:%02d:%02d\r\n", user, action, d, mo, y, sep, h, mi, s)
    printf "%s", line
    written += length(line)
    if (++count % 1000 == 0) { printf "not a log line\r\n"; written += 16 }
  }
  BEGIN {
    users[0] = "root"; users[1] = user2; users[2] = user3; users[3] = "mama"
    y = 2020; mo = 1; d = 1; h = 8; mi = 0; s = 0; turn = 0
    while (written < target) {
      user = users[turn % 4]
      s = (turn * 7) % 60
      put(user, connect)
      for (k = 1; k <= 6; k++) { tick(10); put(user, mark) }
      tick(5)
      if (turn % 17 == 0) { }                    # the program was closed: no end
      else if (turn % 5 == 0) put("", disconnect)
      else put(user, disconnect)
      tick(47)
      turn++
    }
  }' >"$log"

bytes=$(stat -c %s "$log")
lines=$(wc -l <"$log")
# The best of three, by CPU time (user + system): on a shared machine the wall clock also
# counts the waits for a free core. The wall time of that run is shown beside it.
best=""
best_wall=""
TIMEFORMAT='%R %U %S'
for _ in 1 2 3; do
  { time "$dir/brumelka-report" "$log" --csv >"$work/report.csv" 2>"$work/report.err"; } 2>"$work/time"
  read -r wall user sys <"$work/time"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
  if [ -z "$best" ] || awk -v a="$cpu" -v b="$best" 'BEGIN { exit !(a < b) }'; then
    best=$cpu
    best_wall=$wall
  fi
done
# A report that read nothing would be fast for the wrong reason.
records=$(($(wc -l <"$work/report.csv") - 1))
if [ "$records" -lt 1 ] || ! grep -q . "$work/report.err"; then
  echo "bench-report: the report came out empty or without its garbage count" >&2
  exit 1
fi
awk -v bytes="$bytes" -v sec="$best" -v wall="$best_wall" -v lines="$lines" -v records="$records" 'BEGIN {
  mb = bytes / 1048576
  printf "report: %.1f MB log (%d lines, %d user-months) in %.3f s CPU (%.3f s wall), %.0f MB/s (goal: well under 1 s per 100 MB)\n", mb, lines, records, sec, wall, mb / sec
}'
