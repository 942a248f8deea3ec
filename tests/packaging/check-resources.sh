#!/usr/bin/env bash
# Reads the resources back out of a built Windows program with the MinGW windres on the build
# machine and checks what Windows takes from them: the manifest and the version.
#
#   check-resources.sh WINDRES PROGRAM.exe
set -euo pipefail

windres="$1"
exe="$2"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
has() { grep -qF -- "$1" <<<"$resources"; }

resources=$("$windres" -i "$exe" -O rc)

# windres writes each resource's header as "<name> <type>"; type 24 is the manifest.
manifests=$(grep -c '^[0-9]* 24 ' <<<"$resources" || true)
[ "$manifests" = 1 ] || fail "expected one manifest resource, found $manifests"
has 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' ||
  fail "the manifest does not ask for the version 6 common controls"
has '<dpiAware xmlns=""http://schemas.microsoft.com/SMI/2005/WindowsSettings"">true</dpiAware>' ||
  fail "the manifest does not declare system DPI awareness"
has '<dpiAwareness' && fail "the manifest declares per-monitor DPI awareness"
# An execution level, even asInvoker, would turn off the file virtualization that keeps the
# settings file writable for users without administrator rights.
has '<requestedExecutionLevel' && fail "the manifest declares an execution level"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
  4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
  8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  has '<supportedOS Id=""{'"$os"'}""/>' || fail "the manifest lacks the supported system $os"
done

# The name in UTF-16, as windres prints characters beyond Latin-1.
name='L"\x0411\x0440\x0443\x043c\x0435\x043b\x043a\x0430"'
has "FILEVERSION 0, 9, 0, 0" || fail "the file version is not 0.9.0.0"
has "PRODUCTVERSION 0, 9, 0, 0" || fail "the product version is not 0.9.0.0"
has "VALUE \"ProductName\", $name" || fail "the product name is not Брумелка"
has "VALUE \"FileDescription\", $name" || fail "the file description is not Брумелка"
has 'VALUE "ProductVersion", "0.90"' || fail "the product version text is not 0.90"
has 'VALUE "FileVersion", "0.90"' || fail "the file version text is not 0.90"

if [ "$failures" -ne 0 ]; then
  echo "$exe: $failures problem(s) in its resources"
  exit 1
fi
echo "$exe: manifest and version resource as expected"
