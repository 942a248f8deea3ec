#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12; does nothing when all is there.
#
# A mirror caught in the middle of a sync can fail one list of `apt-get update` (seen: the i386
# list of bookworm-security failing its size check). A failed update is tried again a couple of
# times, then the install goes on with the lists that did arrive. With one architecture's list
# of a suite missing, the amd64 and i386 candidates of the same library can differ and
# wine32:i386 can't be installed beside its amd64 half; the install is then made from the
# sources without the suites whose lists failed, where both architectures see the same
# versions. The last line says what was done.
#
# Environment (the bootstrap test sets them; nobody else needs to):
#   BRUMELKA_APT_ETC            apt's configuration folder (default /etc/apt)
#   BRUMELKA_APT_TRIES          tries of `apt-get update` (default 3)
#   BRUMELKA_APT_RETRY_SECONDS  pause between them (default 10)
set -euo pipefail

packages=(cmake ninja-build g++ googletest clang-format clang-14 libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick locales nsis zip unzip)

apt_etc="${BRUMELKA_APT_ETC:-/etc/apt}"
tries="${BRUMELKA_APT_TRIES:-3}"
pause="${BRUMELKA_APT_RETRY_SECONDS:-10}"

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Suites named in the "Failed to fetch" lines of an apt log, one per line.
failed_suites() {
  sed -n 's#^E: Failed to fetch [^ ]*/dists/\([^/ ]*\)/.*#\1#p' "$1" | sort -u
}

# Copies apt's sources into $1 without the suites named in the rest of the arguments: one-line
# .list entries of those suites are dropped, and they are taken out of deb822 "Suites:" fields
# (a stanza left with no suite is dropped).
sources_without() {
  local out="$1" file
  shift
  local skip=" $* "
  mkdir -p "$out/sources.list.d"
  : >"$out/sources.list"
  [ -f "$apt_etc/sources.list" ] && strip_list "$skip" <"$apt_etc/sources.list" >"$out/sources.list"
  for file in "$apt_etc"/sources.list.d/*.list; do
    [ -f "$file" ] && strip_list "$skip" <"$file" >"$out/sources.list.d/${file##*/}"
  done
  for file in "$apt_etc"/sources.list.d/*.sources; do
    [ -f "$file" ] && strip_deb822 "$skip" <"$file" >"$out/sources.list.d/${file##*/}"
  done
  return 0
}

strip_list() {
  awk -v skip="$1" '{
    line = $0; sub(/\[[^]]*\]/, "", line); split(line, f, " ")
    if ((f[1] == "deb" || f[1] == "deb-src") && index(skip, " " f[3] " ")) next
    print
  }'
}

strip_deb822() {
  awk -v skip="$1" '
    function flush() { if (keep) printf "%s", stanza; stanza = ""; keep = 1 }
    BEGIN { keep = 1 }
    /^[ \t]*$/ { flush(); print; next }
    /^Suites:/ {
      n = split(substr($0, 8), s, " "); kept = ""
      for (i = 1; i <= n; i++) if (!index(skip, " " s[i] " ")) kept = kept " " s[i]
      if (kept == "") keep = 0
      stanza = stanza "Suites:" kept "\n"; next
    }
    { stanza = stanza $0 "\n" }
    END { flush() }'
}

# The package and the cause of a failed install, as one sentence, from its log.
install_failure() {
  local log="$1" line
  line=$(sed -n 's/^E: Unable to locate package \(.*\)/\1: no such package in the lists/p' "$log" | head -n 1)
  [ -n "$line" ] || line=$(sed -n "s/^E: Package '\\([^']*\\)' has no installation candidate/\\1: no installable version in the lists/p" "$log" | head -n 1)
  [ -n "$line" ] || line=$(sed -n 's/^ *\([^ ]*\) : \(Depends\|PreDepends\|Breaks\|Conflicts\): \(.*\)/\1: \2 \3/p' "$log" | head -n 1)
  [ -n "$line" ] || line="${missing[*]}: $(grep '^E:' "$log" | tail -n 1 | sed 's/^E: //')"
  echo "$line"
}

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

  try=1 update_ok=0
  while :; do
    if $sudo_ apt-get update -q 2>&1 | tee "$work/update.log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then
      update_ok=1
      break
    fi
    [ "$try" -lt "$tries" ] || break
    echo "bootstrap: apt-get update failed (try $try of $tries), trying again in $pause s"
    sleep "$pause"
    try=$((try + 1))
  done
  # apt can also end an update with 0 and only warn of a list it did not get.
  mapfile -t failed < <(failed_suites "$work/update.log")
  if [ "$update_ok" = 0 ] || [ ${#failed[@]} -gt 0 ]; then
    updated="apt-get update failed $try times (${failed[*]:-no list named}), going on with the lists that arrived"
  else
    updated="all lists updated"
  fi

  install=($sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}")
  if "${install[@]}" 2>&1 | tee "$work/install.log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    echo "bootstrap: installed ${#missing[@]} packages; $updated"
  elif [ ${#failed[@]} -gt 0 ]; then
    echo "bootstrap: the install failed with the lists that arrived; installing without ${failed[*]}"
    sources_without "$work/apt" "${failed[@]}"
    if "${install[@]}" -o Dir::Etc::SourceList="$work/apt/sources.list" \
      -o Dir::Etc::SourceParts="$work/apt/sources.list.d" 2>&1 | tee "$work/install.log"
    [ "${PIPESTATUS[0]}" -eq 0 ]; then
      echo "bootstrap: installed ${#missing[@]} packages from the sources without ${failed[*]}; $updated"
    else
      echo "bootstrap: cannot install $(install_failure "$work/install.log") (also without ${failed[*]}; $updated)" >&2
      exit 1
    fi
  else
    echo "bootstrap: cannot install $(install_failure "$work/install.log")" >&2
    exit 1
  fi
fi

# Wine needs a generated uk_UA.UTF-8 locale to give the program code page 1251;
# without it non-ASCII arguments, environment values and file names get mangled.
if ! locale -a 2>/dev/null | grep -qi '^uk_UA\.utf-\?8$'; then
  $sudo_ sed -i 's/^# *\(uk_UA.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^uk_UA.UTF-8 UTF-8' /etc/locale.gen || echo 'uk_UA.UTF-8 UTF-8' | $sudo_ tee -a /etc/locale.gen >/dev/null
  $sudo_ locale-gen
fi
