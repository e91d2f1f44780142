#!/usr/bin/env bash
# Runs a Windows program under Wine; CTest's cross-compiling emulator for the mingw build.
#
#   wine-run.sh PREFIX [program.exe [args...]]
#
# PREFIX is the Wine prefix (kept inside the build tree), created on first use. Before the
# program runs, a persistent wineserver and Wine's helper processes (services, device and
# plug-and-play managers, RPC) are started for the prefix, detached from our output. A
# helper started later by a test program would inherit the test's stderr and hold CTest's
# pipe open long after the test has ended. Without a program the prefix is only made ready:
# the stage script does that once, with DISPLAY set, before CTest starts.
# Stop everything afterwards with: WINEPREFIX=PREFIX wineserver -k
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 PREFIX [program.exe [args...]]" >&2
  exit 2
fi
WINEPREFIX=$(realpath -m "$1")
shift
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko installer dialog while the prefix is created, and none later.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Runs a command with no output attached and without the lock's descriptor.
detached() {
  "$@" </dev/null >/dev/null 2>&1 9>&-
}

mkdir -p "$WINEPREFIX"
{
  # CTest runs tests in parallel: one process prepares the prefix, the others wait.
  flock 9
  # wineserver -p exits with 0 when it has started a server and fails when one is running.
  if detached wineserver -p; then
    # A fresh server: wineboot creates or updates the prefix and starts the helpers.
    detached wineboot -i
  fi
} 9>"$WINEPREFIX.lock"

[ $# -eq 0 ] && exit 0
exec wine "$@"
