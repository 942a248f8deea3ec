#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang 14, ASan, UBSan) and runs each one over
# its seed corpus in fuzz/corpus/ for a set time. Any crash, sanitizer report or broken
# property stops the run; libFuzzer leaves the input that caused it in the artifacts folder.
#
#   scripts/fuzz.sh              60 s per target (BRUMELKA_FUZZ_SECONDS overrides)
#   scripts/fuzz.sh --short      a few seconds per target, the pass that make test runs
#   scripts/fuzz.sh TARGET...    only these targets (e.g. fuzz_users_file)
#
# BRUMELKA_FUZZ_BUILD names the build tree (default build/fuzz). Inputs found along the way
# are kept in <tree>/corpus/<target>, so later runs start from where earlier ones stopped.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds="${BRUMELKA_FUZZ_SECONDS:-60}"
if [ "${1:-}" = "--short" ]; then
  seconds="${BRUMELKA_FUZZ_SHORT_SECONDS:-5}"
  shift
fi
tree="${BRUMELKA_FUZZ_BUILD:-build/fuzz}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(fuzz_users_file fuzz_ini_document fuzz_settings_file fuzz_time_of_day fuzz_integers)

werror=OFF
case "${CI:-}" in "" | false | 0) ;; *) werror=ON ;; esac

cmake --preset fuzz -B "$tree" -DBRUMELKA_WERROR="$werror" >/dev/null
cmake --build "$tree" --target "${targets[@]}"

artifacts="$tree/artifacts"
mkdir -p "$artifacts"
results=()
for target in "${targets[@]}"; do
  seeds="fuzz/corpus/${target#fuzz_}"
  found="$tree/corpus/$target"
  mkdir -p "$found"
  log="$tree/$target.log"
  echo "==== $target: ${seconds} s over $seeds"
  if ! "$tree/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$found" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAILED: $target (input saved under $artifacts, log $log)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  results+=("$(printf '%-20s %10s runs  %5s edges  %5s inputs' "$target" "${runs:-?}" "${edges:-?}" \
    "$(find "$found" -type f | wc -l)")")
done

echo
echo "==== fuzzing: ${seconds} s per target, no crash, no sanitizer report"
printf '  %s\n' "${results[@]}"
