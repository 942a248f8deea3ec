#!/usr/bin/env bash
# Runs scripts/bootstrap.sh against stand-ins of apt-get, dpkg, dpkg-query and locale placed
# first in PATH, in the situations a fresh machine meets: nothing to do, a clean install, an
# update that fails once, a list that keeps failing so that the architectures' versions
# disagree, and a package that can't be had. No registry is asked.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

mkdir -p "$scratch/bin"
# dpkg-query knows what is in $STATE/installed; everything else counts as missing.
cat >"$scratch/bin/dpkg-query" <<'SH'
#!/usr/bin/env bash
grep -qxF "${@: -1}" "$STATE/installed" && printf 'install ok installed'
exit 0
SH
cat >"$scratch/bin/dpkg" <<'SH'
#!/usr/bin/env bash
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
SH
cat >"$scratch/bin/locale" <<'SH'
#!/usr/bin/env bash
echo uk_UA.utf8
SH
# apt-get plays the archive of $STATE/scenario and logs each call to $STATE/calls.
cat >"$scratch/bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "$*" >>"$STATE/calls"
scenario=$(cat "$STATE/scenario")
parts=""
for a in "$@"; do case "$a" in Dir::Etc::SourceParts=*) parts="${a#*=}" ;; esac; done
sync_error() {
  echo "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
  echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
  exit 100
}
case "$*" in
  *update*)
    case "$scenario" in
      sync) sync_error ;;
      once) [ "$(grep -c update "$STATE/calls")" -gt 1 ] || sync_error ;;
    esac
    exit 0 ;;
  *install*)
    if [ "$scenario" = missing ]; then
      echo "E: Unable to locate package wine32:i386"
      exit 100
    fi
    if [ "$scenario" = sync ] && { [ -z "$parts" ] || grep -rq bookworm-security "$parts"; }; then
      echo " wine32:i386 : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
    [ -z "$parts" ] || cp -r "$parts" "$STATE/used-sources"
    for a in "$@"; do case "$a" in -* | install | Dir::*) ;; *) echo "$a" >>"$STATE/installed" ;; esac; done
    exit 0 ;;
esac
exit 1
SH
chmod +x "$scratch/bin"/*

mkdir -p "$scratch/etc/sources.list.d"
cat >"$scratch/etc/sources.list.d/debian.sources" <<'SH'
Types: deb
URIs: http://deb.example/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: http://deb.example/debian-security
Suites: bookworm-security
Components: main
SH
echo "deb [arch=amd64] http://extra.example/debian bookworm-security main" >"$scratch/etc/sources.list.d/extra.list"
echo "deb http://extra.example/debian bookworm main" >>"$scratch/etc/sources.list.d/extra.list"

# run <scenario> <installed-file-contents>: runs the bootstrap; its output is in $STATE/out.
run() {
  export STATE="$scratch/state-$1"
  rm -rf "$STATE" && mkdir -p "$STATE"
  echo "$1" >"$STATE/scenario"
  printf '%s' "$2" >"$STATE/installed"
  : >"$STATE/calls"
  set +e
  PATH="$scratch/bin:$PATH" BRUMELKA_APT_ETC="$scratch/etc" BRUMELKA_APT_RETRY_SECONDS=0 \
    bash "$root/scripts/bootstrap.sh" >"$STATE/out" 2>&1
  echo $? >"$STATE/rc"
  set -e
}

check() {
  local what="$1"
  shift
  if "$@"; then
    echo "ok    $what"
  else
    echo "FAIL  $what"
    sed 's/^/      | /' "$STATE/out"
    failures=$((failures + 1))
  fi
}

all=$(sed -n '/^packages=(/,/)/p' "$root/scripts/bootstrap.sh" | tr -d '()' | sed 's/packages=//' | tr ' ' '\n' | grep -v '^$')

run clean "$all"$'\n'
check "nothing missing: apt-get is not called" test ! -s "$STATE/calls"
check "nothing missing: exit 0" grep -qx 0 "$STATE/rc"

run plain "cmake"$'\n'
check "clean install: one update, one install, exit 0" \
  bash -c '[ "$(cat $STATE/rc)" = 0 ] && [ "$(grep -c update $STATE/calls)" = 1 ] && grep -qx wine32:i386 $STATE/installed'
check "clean install: says what it did in one line" grep -q '^bootstrap: installed .*all lists updated' "$STATE/out"

run once ""
check "an update that fails once is tried again and the install is plain" \
  bash -c '[ "$(cat $STATE/rc)" = 0 ] && [ "$(grep -c update $STATE/calls)" = 2 ] && ! grep -q SourceParts $STATE/calls'

run sync ""
check "a list that keeps failing: three updates, then the install from the other suites" \
  bash -c '[ "$(cat $STATE/rc)" = 0 ] && [ "$(grep -c update $STATE/calls)" = 3 ] && grep -qx wine32:i386 $STATE/installed'
check "the sources used keep the other suites and entries" \
  bash -c 'grep -qx "Suites: bookworm bookworm-updates" $STATE/used-sources/debian.sources &&
    grep -qx "deb http://extra.example/debian bookworm main" $STATE/used-sources/extra.list'
check "the sources used drop the failed suite from stanzas and lines alike" \
  bash -c '! grep -rq "bookworm-security\|debian-security" $STATE/used-sources'
check "the system's sources are left as they were" grep -q bookworm-security "$scratch/etc/sources.list.d/debian.sources"
check "the last line names the suite it left out" \
  bash -c 'tail -n 1 $STATE/out | grep -q "^bootstrap: installed .* without bookworm-security"'

run missing ""
check "a package that can't be had: exit 1 naming it and the cause" \
  bash -c '[ "$(cat $STATE/rc)" = 1 ] && tail -n 1 $STATE/out | grep -qx "bootstrap: cannot install wine32:i386: no such package in the lists"'

[ "$failures" = 0 ] && echo "bootstrap test: all passed" || { echo "bootstrap test: $failures failed"; exit 1; }
