#!/usr/bin/env bash
# Holds a built Windows program to the DLLs it may import and to the hardening flags of its
# PE header, read with the MinGW objdump on the build machine (no Wine needed).
#
#   check-imports.sh OBJDUMP PROGRAM.exe
#
# Anything outside the list below would either be missing on some Windows this program
# supports or be loaded by name from the program's folder first (DLL planting). The
# remote-access DLL in particular is loaded at run time from the system folder, so an
# import of it is an error even though it exists on every Windows.
set -euo pipefail

objdump="$1"
exe="$2"

allowed=(kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll advapi32.dll
  msvcrt.dll)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe")

imports=$(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers" | tr '[:upper:]' '[:lower:]' |
  sort -u)
[ -n "$imports" ] || fail "no import table found in $exe"
echo "imports: $(tr '\n' ' ' <<<"$imports")"
for dll in $imports; do
  [ "$dll" = rasapi32.dll ] && { fail "imports rasapi32.dll (it must be loaded at run time)"; continue; }
  ok=0
  for allowed_dll in "${allowed[@]}"; do [ "$dll" = "$allowed_dll" ] && ok=1; done
  # The universal C runtime's forwarders, should the toolchain use it instead of msvcrt.
  [[ "$dll" == api-ms-win-crt-*.dll ]] && ok=1
  [ "$ok" = 1 ] || fail "imports $dll, which is not on the list"
done

# Functions that Vista, and Windows 7 without update KB2533623, don't have: a program that
# imports one of them doesn't start there at all. The program looks them up at run time.
later=(SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory GetSystemTimePreciseAsFileTime
  GetDpiForWindow GetDpiForSystem SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext)
functions=$(awk '/DLL Name:/ { inside = 1; next } inside && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }' \
  <<<"$headers" | sort -u)
[ -n "$functions" ] || fail "no imported functions found in $exe"
for name in "${later[@]}"; do
  grep -qx "$name" <<<"$functions" && fail "imports $name, which Vista and an unpatched Windows 7 lack"
done

magic=$(sed -n 's/^Magic[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")
flags=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")
[ -n "$flags" ] || fail "no DllCharacteristics in the PE header"
flags=$((16#${flags:-0}))
printf 'DllCharacteristics: 0x%04x\n' "$flags"
((flags & 0x0040)) || fail "DYNAMIC_BASE (ASLR) is not set"
((flags & 0x0100)) || fail "NX_COMPAT (DEP) is not set"
# PE32+ (magic 20b): 64-bit programs get the full address-space randomization.
if [ "$magic" = 020b ] || [ "$magic" = 20b ]; then
  ((flags & 0x0020)) || fail "HIGH_ENTROPY_VA is not set on a 64-bit program"
fi

# ASLR moves a program only when it carries its base relocations; old linkers dropped them
# from executables even with DYNAMIC_BASE set.
relocations=$(sed -n 's/^Entry 5[[:space:]]*[0-9a-fA-F]*[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")
[ -n "$relocations" ] && [ $((16#$relocations)) -gt 0 ] ||
  fail "no base relocation table, so the program cannot be moved"

if [ "$failures" -ne 0 ]; then
  echo "$exe: $failures problem(s)"
  exit 1
fi
echo "$exe: imports and hardening flags as expected"
