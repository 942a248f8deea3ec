#!/usr/bin/env bash
# Runs Win32 test cases at another screen DPI, in a Wine prefix of their own whose DPI is set
# before the test program starts (a program takes the system DPI once, when it starts).
#
#   run-at-dpi.sh DPI PREFIX TEST-PROGRAM.exe [gtest arguments...]
#
# The test program is told the DPI in BRUMELKA_EXPECTED_DPI and checks that it got it.
set -euo pipefail

dpi="$1"
prefix="$2"
program="$3"
shift 3

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
wine_run="$root/scripts/wine-run.sh"
export BRUMELKA_WINEPREFIX="$prefix"

# The first run creates the prefix (and its persistent wineserver) and lists the cases.
"$wine_run" "$program" --gtest_list_tests >/dev/null

# Wine reads the DPI from here; through the running wineserver the next program sees it.
reg="$prefix/drive_c/windows/system32/reg.exe"
"$wine_run" "$reg" add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  >/dev/null

stop_server() {
  # Only this prefix's wineserver: `wine-run.sh --stop` would end the shared Xvfb as well.
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
}
trap stop_server EXIT

BRUMELKA_EXPECTED_DPI="$dpi" "$wine_run" "$program" "$@"
