#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(cmake ninja-build g++ googletest clang-format clang-14 libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick locales nsis zip unzip)

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo_ dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo_ apt-get update -q
  $sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine needs a generated uk_UA.UTF-8 locale to give the program code page 1251;
# without it non-ASCII arguments, environment values and file names get mangled.
if ! locale -a 2>/dev/null | grep -qi '^uk_UA\.utf-\?8$'; then
  $sudo_ sed -i 's/^# *\(uk_UA.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^uk_UA.UTF-8 UTF-8' /etc/locale.gen || echo 'uk_UA.UTF-8 UTF-8' | $sudo_ tee -a /etc/locale.gen >/dev/null
  $sudo_ locale-gen
fi
