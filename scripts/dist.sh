#!/usr/bin/env bash
# Builds what is handed out: a portable zip and an NSIS installer of the Release program.
#
#   scripts/dist.sh [--arch=win32|win64] [--tree=DIR] [--out=DIR]
#
#   --arch  win32 (default) is the shipped i686 program: brumelka-<version>-win32.zip and
#           brumelka-<version>-setup.exe. win64 makes brumelka-<version>-win64.zip and
#           brumelka-<version>-win64-setup.exe from the x86-64 build, for trying the
#           installer out where 32-bit programs cannot run.
#   --tree  the CMake tree to configure with the arch's preset and build (default build/<arch>)
#   --out   where the two files go (default build/dist)
#
# The zip holds brumelka.exe, brumelka-report.exe and readme.txt (Windows line ends); the
# installer installs the same files.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

arch=win32
tree=""
out="$root/build/dist"
for arg in "$@"; do
  case "$arg" in
    --arch=win32 | --arch=win64) arch="${arg#--arch=}" ;;
    --tree=*) tree="$(realpath -m "${arg#--tree=}")" ;;
    --out=*) out="$(realpath -m "${arg#--out=}")" ;;
    *)
      echo "dist: unknown argument $arg" >&2
      exit 2
      ;;
  esac
done
[ -n "$tree" ] || tree="$root/build/$arch"

version=$(sed -n 's/^project(Brumelka VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || {
  echo "dist: no version in CMakeLists.txt" >&2
  exit 1
}
if [ "$arch" = win32 ]; then
  strip=i686-w64-mingw32-strip nsis_arch=x86
  zip_name="brumelka-$version-win32.zip" setup_name="brumelka-$version-setup.exe"
else
  strip=x86_64-w64-mingw32-strip nsis_arch=amd64
  zip_name="brumelka-$version-win64.zip" setup_name="brumelka-$version-win64-setup.exe"
fi
for tool in "$strip" makensis zip; do
  command -v "$tool" >/dev/null || {
    echo "dist: $tool is missing (scripts/bootstrap.sh installs it)" >&2
    exit 1
  }
done

# Stripping stamps the PE header with this time, and the zip its entries: the same commit
# gives the same files.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}"

cmake --preset "$arch" -B "$tree" >/dev/null
targets=(brumelka brumelka-report)
cmake --build "$tree" --target "${targets[@]}"

stage="$out/stage-$arch"
rm -rf "$stage"
mkdir -p "$stage"
for target in "${targets[@]}"; do
  "$strip" -o "$stage/$target.exe" "$tree/$target.exe"
done
# A byte-order mark makes Notepad read the Ukrainian text as UTF-8 on every Windows.
{
  printf '\xef\xbb\xbf'
  sed 's/$/\r/' installer/readme.txt
} >"$stage/readme.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

rm -f "$out/$zip_name" "$out/$setup_name"
(cd "$stage" && zip -q -X "$out/$zip_name" "${targets[@]/%/.exe}" readme.txt)
makensis -V2 -INPUTCHARSET UTF8 -WX -DVERSION="$version" -DARCH="$nsis_arch" -DSTAGE="$stage" \
  -DICON="$root/app/brumelka.ico" -DOUTFILE="$out/$setup_name" installer/brumelka.nsi
rm -rf "$stage"

echo "dist: $out/$zip_name ($(stat -c %s "$out/$zip_name") bytes)"
echo "dist: $out/$setup_name ($(stat -c %s "$out/$setup_name") bytes)"
