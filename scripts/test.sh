#!/usr/bin/env bash
# Configures and builds the four trees (native, sanitize, win32, win64), then runs their tests.
# Stops at the first step that fails and prints a summary either way.
#
#   scripts/test.sh               build everything, then test
#   scripts/test.sh --build-only  only configure and build
#
# With CI set (and not "false" or "0") warnings are errors: -DBRUMELKA_WERROR=ON.
# Windows tests run under Wine on a private Xvfb (BRUMELKA_XVFB=0 uses $DISPLAY instead).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build_only=0
[ "${1:-}" = "--build-only" ] && build_only=1

werror=OFF
case "${CI:-}" in "" | false | 0) ;; *) werror=ON ;; esac
export BRUMELKA_XVFB="${BRUMELKA_XVFB:-1}"

summary=()
started=$SECONDS

print_summary() {
  echo
  echo "==== summary (BRUMELKA_WERROR=$werror, $((SECONDS - started)) s) ===="
  printf '  %s\n' "${summary[@]}"
}

# step <label> <command...>: runs one step, records the outcome, stops everything on failure.
step() {
  local label="$1"
  shift
  echo
  echo "==== $label: $*"
  local t0=$SECONDS
  if "$@"; then
    summary+=("ok    $label ($((SECONDS - t0)) s)")
  else
    summary+=("FAIL  $label")
    print_summary
    echo "FAILED at: $label"
    exit 1
  fi
}

# The Wine servers and the Xvfb started for the tests go away when this script ends.
trap 'scripts/wine-run.sh --stop' EXIT

for preset in native sanitize win32 win64; do
  step "configure $preset" cmake --preset "$preset" -DBRUMELKA_WERROR="$werror"
  step "build $preset" cmake --build --preset "$preset"
done

if [ "$build_only" = 1 ]; then
  print_summary
  exit 0
fi

step "test bootstrap" tests/scripts/bootstrap-test.sh
step "test native" ctest --preset native
step "fuzz (short pass)" scripts/fuzz.sh --short
step "test sanitize" ctest --preset sanitize
step "test win64" ctest --preset win64
step "test dist" tests/packaging/dist-test.sh
if scripts/wine-run.sh --can-run win32; then
  step "test win32" ctest --preset win32
else
  echo
  echo "i686 tests not run: this machine cannot execute 32-bit programs"
  summary+=("skip  test win32 (this machine cannot execute 32-bit programs)")
  # What needs no Windows to run: the exe's imports, hardening flags and resources.
  step "check win32 exe" tests/packaging/check-tree.sh build/win32
fi

print_summary
echo "ALL PASSED"
