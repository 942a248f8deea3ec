#!/usr/bin/env bash
# Tests what `make dist` hands out. Builds the zip and the installer of both architectures with
# scripts/dist.sh, checks their contents, then installs and uninstalls each installer silently
# under Wine where this machine can run it (NSIS's x86 installer needs 32-bit Wine; the amd64
# one wrapping the x86-64 build runs wherever 64-bit Wine does).
#
#   tests/packaging/dist-test.sh [--tree-win32=DIR] [--tree-win64=DIR] [--out=DIR]
#
# The trees default to build/win32 and build/win64, the output to build/dist-test. Each
# architecture installs into a Wine prefix of its own, <prefix>-dist-<arch>, where <prefix> is
# BRUMELKA_WINEPREFIX or build/wineprefix; the Wine state is BRUMELKA_WINE_STATE (or
# build/wine-state) with "-dist" appended, so its Xvfb and servers are stopped at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"

declare -A trees=([win32]="$root/build/win32" [win64]="$root/build/win64")
out="$root/build/dist-test"
for arg in "$@"; do
  case "$arg" in
    --tree-win32=* | --tree-win64=*)
      arch="${arg%%=*}"
      trees[${arch#--tree-}]="$(realpath -m "${arg#*=}")"
      ;;
    --out=*) out="$(realpath -m "${arg#--out=}")" ;;
    *)
      echo "dist-test: unknown argument $arg" >&2
      exit 2
      ;;
  esac
done

version=$(sed -n 's/^project(Brumelka VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
prefix_base="${BRUMELKA_WINEPREFIX:-$root/build/wineprefix}"
export BRUMELKA_WINE_STATE="${BRUMELKA_WINE_STATE:-$root/build/wine-state}-dist"
scratch=$(mktemp -d)
# Wine turns every shortcut it sees made into a desktop menu entry of the Linux user; these
# go to the scratch folder instead of the home folder.
export XDG_DATA_HOME="$scratch/xdg-data" XDG_CONFIG_HOME="$scratch/xdg-config"

used_prefixes=()
cleanup() {
  local prefix
  for prefix in "${used_prefixes[@]}"; do
    BRUMELKA_WINEPREFIX="$prefix" scripts/wine-run.sh --stop || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
check() {
  local what="$1"
  shift
  if "$@"; then
    echo "ok    $what"
  else
    echo "FAIL  $what"
    failures=$((failures + 1))
  fi
}

# Machine field of a PE header: 014c i386, 8664 x86-64.
pe_machine() {
  local offset
  offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}

same_after_strip() { # <strip> <built.exe> <shipped.exe>: shipped is built, stripped
  "$1" -o "$scratch/stripped.exe" "$2" && cmp -s "$scratch/stripped.exe" "$3"
}

readme_is_windows_text() {
  local file="$1"
  [ "$(head -c 3 "$file" | od -An -t x1 | tr -d ' ')" = efbbbf ] || return 1
  # Every line ends with CR LF, and the text is the repository's readme.
  [ "$(grep -c $'\r$' "$file")" = "$(wc -l <"$file")" ] || return 1
  tail -c +4 "$file" | tr -d '\r' | cmp -s - installer/readme.txt
}

is_nsis_program() { # <file> <machine>
  [ "$(pe_machine "$1")" = "$2" ] && grep -qa NullsoftInst "$1"
}

zip_lists() { # <zip> <expected names...>
  local zip="$1"
  shift
  [ "$(unzip -Z1 "$zip" | sort)" = "$(printf '%s\n' "$@" | sort)" ]
}

check_archives() { # <arch>
  local arch="$1" tree="${trees[$1]}" strip machine zip setup
  if [ "$arch" = win32 ]; then
    strip=i686-w64-mingw32-strip machine=014c
    zip="$out/brumelka-$version-win32.zip" setup="$out/brumelka-$version-setup.exe"
  else
    strip=x86_64-w64-mingw32-strip machine=8664
    zip="$out/brumelka-$version-win64.zip" setup="$out/brumelka-$version-win64-setup.exe"
  fi
  local unpacked="$scratch/zip-$arch"
  mkdir -p "$unpacked"
  unzip -q -o "$zip" -d "$unpacked"

  check "$arch zip holds ${shipped[*]}" zip_lists "$zip" "${shipped[@]}"
  local exe
  for exe in "${shipped[@]}"; do
    [ "$exe" != readme.txt ] || continue
    check "$arch zip: $exe is the tree's program, stripped" \
      same_after_strip "$strip" "$tree/$exe" "$unpacked/$exe"
    check "$arch zip: $exe is a $machine program" [ "$(pe_machine "$unpacked/$exe")" = "$machine" ]
  done
  check "$arch zip: readme.txt is the readme in UTF-8 with CR LF line ends" \
    readme_is_windows_text "$unpacked/readme.txt"
  check "$arch installer is a $machine NSIS program" is_nsis_program "$setup" "$machine"
}

# --- silent install and uninstall under Wine ---

wine_run() { BRUMELKA_WINEPREFIX="$prefix" scripts/wine-run.sh "$@"; }

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumelka'
registry_entry() { # reg.exe writes in the console's code page, 866 under uk_UA
  wine_run "$prefix/drive_c/windows/system32/reg.exe" query "$uninstall_key" 2>/dev/null |
    iconv -f CP866 -t UTF-8 | tr -d '\r'
}

registry_lists() { # <value name> <expected data>
  registry_entry | grep -qxF "    $1    REG_SZ    $2"
}

no_registry_entry() { ! registry_entry | grep -q .; }

# The working folder and the target are the shortcut's only strings naming them.
shortcut_starts_in_data_folder() {
  local strings
  strings=$(strings -el "$shortcut")
  grep -qE '^.?C:\\users\\[^\\]+\\AppData\\Roaming\\Brumelka$' <<<"$strings" &&
    grep -qE '^.?C:\\Program Files\\Brumelka\\brumelka\.exe$' <<<"$strings"
}

# Uninstall.exe copies itself to %TEMP%, starts the copy and returns at once (that is how it
# can remove itself), so its end shows only as the install folder going away.
uninstall() {
  wine_run "$installed/Uninstall.exe" /S || return 1
  local _
  for _ in $(seq 1 60); do
    [ -e "$installed" ] || return 0
    sleep 1
  done
  return 1
}

installed_as_shipped() {
  local exe
  for exe in "${shipped[@]}"; do
    cmp -s "$scratch/zip-$arch/$exe" "$installed/$exe" || return 1
  done
  [ -f "$installed/Uninstall.exe" ]
}

check_install() { # <arch>
  local arch="$1" setup
  [ "$arch" = win32 ] && setup="$out/brumelka-$version-setup.exe" ||
    setup="$out/brumelka-$version-win64-setup.exe"
  prefix="$prefix_base-dist-$arch"
  used_prefixes+=("$prefix")
  installed="$prefix/drive_c/Program Files/Brumelka"
  local data="$prefix/drive_c/users/$(whoami)/AppData/Roaming/Brumelka"
  shortcut="$prefix/drive_c/users/$(whoami)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Брумелка.lnk"
  # A run stopped half-way leaves an installation behind: start from a new prefix then.
  if [ -e "$installed" ] || [ -e "$data" ] || [ -e "$shortcut" ]; then
    wine_run --stop
    rm -rf "$prefix"
  fi

  check "$arch setup /S succeeds" wine_run "$setup" /S
  check "$arch installs the zip's files and an uninstaller into Program Files" installed_as_shipped
  check "$arch creates the data folder" [ -d "$data" ]
  check "$arch Start-menu shortcut starts brumelka.exe in the data folder" shortcut_starts_in_data_folder
  check "$arch Add/Remove Programs entry names the program" registry_lists DisplayName "Брумелка $version"
  check "$arch Add/Remove Programs entry runs the uninstaller" \
    registry_lists UninstallString "\"C:\\Program Files\\Brumelka\\Uninstall.exe\""

  check "$arch Uninstall.exe /S removes the install folder" uninstall
  check "$arch uninstall removes the shortcut" [ ! -e "$shortcut" ]
  check "$arch uninstall removes the Add/Remove Programs entry" no_registry_entry
  check "$arch uninstall removes the empty data folder" [ ! -e "$data" ]

  # A data folder holding the users' records outlives the program.
  check "$arch second setup /S succeeds" wine_run "$setup" /S
  head -c 94 /dev/zero >"$data/users.usr" 2>/dev/null || true
  check "$arch second uninstall removes the install folder" uninstall
  check "$arch uninstall keeps a data folder with files in it" [ -f "$data/users.usr" ]
  rm -rf "$data" # so that the next run can use this prefix again
}

# dist.sh strips with this time in the PE header; same_after_strip strips the same way.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(date +%s)}"
shipped=(brumelka.exe brumelka-report.exe readme.txt)
mkdir -p "$out"
for arch in win32 win64; do
  scripts/dist.sh --arch="$arch" --tree="${trees[$arch]}" --out="$out"
  check_archives "$arch"
  if scripts/wine-run.sh --can-run "$arch"; then
    check_install "$arch"
  else
    bits=32
    [ "$arch" = win64 ] && bits=64
    echo "skip  $arch silent install and uninstall: this machine cannot execute $bits-bit programs"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "dist-test: $failures check(s) failed"
  exit 1
fi
echo "dist-test: all checks passed"
