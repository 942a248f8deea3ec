#!/usr/bin/env bash
# Runs a Windows program under Wine; CMake uses it as CMAKE_CROSSCOMPILING_EMULATOR.
#
#   wine-run.sh [--arch=win32|win64] program.exe [arguments...]
#       Runs the program in a private Wine prefix and passes its exit code through.
#       Without --arch the kind of program is read from its PE header.
#   wine-run.sh --can-run win32|win64
#       Exit code 0 when this machine can run that kind of program under Wine.
#   wine-run.sh --stop
#       Stops the Wine server of the prefix (both default prefixes when BRUMELKA_WINEPREFIX is
#       unset), with every program still running in it, and the Xvfb started by earlier calls.
#
# Environment:
#   BRUMELKA_WINEPREFIX  prefix to use (default: build/wineprefix-<arch> in the repository)
#   BRUMELKA_WINE_STATE  where the lock and the Xvfb bookkeeping live (default: build/wine-state)
#   BRUMELKA_LC_ALL      locale for the program (default: uk_UA.UTF-8, i.e. code page 1251)
#   BRUMELKA_XVFB=1      use a private Xvfb even when DISPLAY is set
#   BRUMELKA_RAS_STANDIN Linux path of the remote-access stand-in (rasapi32.dll, built for this
#                        arch): put into the prefix's system folder and preferred to Wine's own.
#                        Unset, it is build/<arch>/standin/rasapi32.dll when that was built, so
#                        that every test under ctest dials the stand-in; set empty for none
#
# The first call creates the prefix (with the display already up, otherwise Wine's first
# window fails), turns off Wine's crash dialog and starts one persistent wineserver that all
# later calls share. Creation happens under a lock, so ctest may start several calls at once.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
state="${BRUMELKA_WINE_STATE:-$root/build/wine-state}"

die() {
  echo "wine-run.sh: $*" >&2
  exit 125
}

loader_for() {
  local arch="$1" name
  [ "$arch" = win64 ] && name=wine64 || name=wine
  if [ -x "/usr/lib/wine/$name" ]; then
    echo "/usr/lib/wine/$name" # Debian: the real loaders, not the /usr/bin/wine chooser
  elif command -v "$name" >/dev/null; then
    command -v "$name"
  elif command -v wine >/dev/null; then
    command -v wine
  else
    die "Wine is not installed (scripts/bootstrap.sh installs it)"
  fi
}

wineserver_path() {
  if [ -x /usr/lib/wine/wineserver64 ]; then
    echo /usr/lib/wine/wineserver64 # serves 32- and 64-bit programs alike
  elif [ -x /usr/lib/wine/wineserver32 ]; then
    echo /usr/lib/wine/wineserver32
  else
    command -v wineserver || die "wineserver not found"
  fi
}

# Reads the machine field of a PE file: 0x14c is i386, 0x8664 is x86-64.
pe_arch() {
  local offset machine
  offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$offset" ] || return 1
  machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ') || return 1
  case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

can_run() {
  local loader
  loader=$(loader_for "$1")
  # Executing the loader is the honest test: a kernel without 32-bit support refuses it.
  "$loader" --version >/dev/null 2>&1
}

display_alive() {
  if command -v xdpyinfo >/dev/null; then
    xdpyinfo -display "$1" >/dev/null 2>&1
  else
    [ -e "/tmp/.X11-unix/X${1#:}" ]
  fi
}

# Starts one Xvfb for all calls (or reuses the one started earlier). Call with the lock held.
ensure_xvfb() {
  local pid num
  if [ -f "$state/xvfb.pid" ] && [ -f "$state/xvfb.display" ]; then
    pid=$(cat "$state/xvfb.pid")
    num=$(cat "$state/xvfb.display")
    if kill -0 "$pid" 2>/dev/null && display_alive ":$num"; then
      export DISPLAY=":$num"
      return
    fi
  fi
  command -v Xvfb >/dev/null || die "Xvfb is not installed (scripts/bootstrap.sh installs it)"
  for num in $(seq 99 199); do
    [ -e "/tmp/.X$num-lock" ] || [ -e "/tmp/.X11-unix/X$num" ] && continue
    setsid Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp \
      </dev/null >"$state/xvfb.log" 2>&1 {lock_fd}>&- &
    pid=$!
    for _ in $(seq 1 100); do
      display_alive ":$num" && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if display_alive ":$num"; then
      echo "$pid" >"$state/xvfb.pid"
      echo "$num" >"$state/xvfb.display"
      export DISPLAY=":$num"
      return
    fi
    kill "$pid" 2>/dev/null || true # lost a race for this number: try the next one
  done
  die "could not start Xvfb (see $state/xvfb.log)"
}

# Creates the prefix once and starts the shared persistent wineserver. Call with the lock held.
ensure_prefix() {
  local loader="$1"
  if [ ! -f "$WINEPREFIX/.brumelka-ready-2" ]; then
    echo "wine-run.sh: creating Wine prefix $WINEPREFIX" >&2
    [ ! -d "$WINEPREFIX" ] || "$WINESERVER" -k >/dev/null 2>&1 {lock_fd}>&- || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    local log="$state/wineboot-$(basename "$WINEPREFIX").log"
    # A crashing program must end with a non-zero exit code. Wine's automatic debugger
    # (winedbg --auto) prints a backtrace but races the exit code: crashes were seen to end
    # with 0 about half the time. So no debugger starts; Wine still prints one line naming
    # the fault and its address, and the exit code is the exception code's low byte.
    local aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
    {
      WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" "$loader" wineboot --init &&
        "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
        "$loader" reg add "$aedebug" /v Debugger /t REG_SZ /d "brumelka-no-debugger.exe %ld %ld" /f &&
        "$WINESERVER" -w # let the server exit so the registry reaches the disk
    } </dev/null >"$log" 2>&1 {lock_fd}>&- || die "creating the prefix failed (see $log)"
    "$loader" --version >"$WINEPREFIX/.brumelka-ready-2"
  fi
  # Exit code 2 means a server for this prefix is already running, which is what we want.
  local started=0
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 {lock_fd}>&- && started=1 || [ $? -eq 2 ] ||
    die "could not start wineserver"
  if [ "$started" = 1 ]; then
    # Without a window manager (our Xvfb) Wine draws window frames and captions itself;
    # on a real desktop the window manager does. Set once per server, i.e. per test run.
    local managed=Y
    [ "$private_display" = 1 ] && managed=N
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f \
      </dev/null >/dev/null 2>&1 {lock_fd}>&- || die "could not set the window management mode"
  fi
}

# Both prefixes keep their own arch's DLLs in system32 (the win32 one is WINEARCH=win32). A new
# copy goes in by rename, so that a program still running keeps the one it mapped. Call with the
# lock held.
install_ras_standin() {
  local standin="${BRUMELKA_RAS_STANDIN-$root/build/$arch/standin/rasapi32.dll}"
  [ -n "$standin" ] && [ -f "$standin" ] || return 0
  local target="$WINEPREFIX/drive_c/windows/system32/rasapi32.dll"
  if ! cmp -s "$standin" "$target"; then
    { cp "$standin" "$target.new" && mv -f "$target.new" "$target"; } ||
      die "could not put $standin into $target"
  fi
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;rasapi32=n"
}

stop_all() {
  local prefix pid
  mkdir -p "$state"
  exec {lock_fd}>"$state/lock"
  flock -w 300 "$lock_fd" || die "timed out waiting for $state/lock"
  local prefixes=("$root/build/wineprefix-win32" "$root/build/wineprefix-win64")
  [ -z "${BRUMELKA_WINEPREFIX:-}" ] || prefixes=("$BRUMELKA_WINEPREFIX")
  for prefix in "${prefixes[@]}"; do
    [ -d "$prefix" ] || continue
    WINEPREFIX="$prefix" "$(wineserver_path)" -k >/dev/null 2>&1 || true
  done
  if [ -f "$state/xvfb.pid" ]; then
    pid=$(cat "$state/xvfb.pid")
    if grep -qa Xvfb "/proc/$pid/cmdline" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
    fi
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
  fi
}

arch=""
case "${1:-}" in
  --can-run)
    [ $# -eq 2 ] || die "usage: wine-run.sh --can-run win32|win64"
    can_run "$2"
    exit
    ;;
  --stop)
    stop_all
    exit 0
    ;;
  --arch=*)
    arch="${1#--arch=}"
    shift
    ;;
esac
[ $# -ge 1 ] || die "usage: wine-run.sh [--arch=win32|win64] program.exe [arguments...]"
program="$1"
shift
[ -f "$program" ] || die "no such program: $program"
[ -n "$arch" ] || arch=$(pe_arch "$program") || die "$program is not a Windows i386/x86-64 program"
case "$arch" in win32 | win64) ;; *) die "unknown arch '$arch' (win32 or win64)" ;; esac

loader=$(loader_for "$arch")
if ! can_run "$arch"; then
  die "this machine cannot run $arch programs ($loader does not start)"
fi

export WINEARCH="$arch"
export WINEPREFIX="${BRUMELKA_WINEPREFIX:-$root/build/wineprefix-$arch}"
WINESERVER="$(wineserver_path)"
export WINESERVER
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL="${BRUMELKA_LC_ALL:-uk_UA.UTF-8}"
export LANG="$LC_ALL"

mkdir -p "$state"
exec {lock_fd}>"$state/lock"
flock -w 600 "$lock_fd" || die "timed out waiting for $state/lock"
private_display=0
if [ -z "${DISPLAY:-}" ] || [ "${BRUMELKA_XVFB:-0}" = 1 ]; then
  ensure_xvfb
  private_display=1
fi
ensure_prefix "$loader"
install_ras_standin
exec {lock_fd}>&-

# The program runs as a child so that a failure can be named: a test that fails without any
# output of its own still leaves this line in ctest's log. Signals reach the program too.
"$loader" "$program" "$@" <&0 &
child=$!
trap 'kill -TERM "$child" 2>/dev/null' TERM INT HUP
code=0
wait "$child" || code=$?
while kill -0 "$child" 2>/dev/null; do # wait was cut short by a signal
  code=0
  wait "$child" || code=$?
done
if [ "$code" -ne 0 ]; then
  echo "wine-run.sh: $(basename "$program") ended with exit code $code" >&2
fi
exit "$code"
