# shellcheck shell=bash
# Shared helpers for the build and test scripts. Source it; do not run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=${JOBS:-$(nproc)}

# Installs the Debian packages that are missing, with one apt-get call.
need_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if [ ! -f /tmp/.pilgrove-apt-updated ]; then
    $sudo apt-get update -qq && touch /tmp/.pilgrove-apt-updated
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds one build tree: cmake_build DIR [cmake options...]
cmake_build() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

# Starts an Xvfb (1280x1024) on the first free display among the numbers given (default 90
# to 130), waits until it answers and exports DISPLAY; XVFB_PID is the caller's to stop.
start_xvfb() {
  local numbers=("$@") number _
  [ $# -gt 0 ] || mapfile -t numbers < <(seq 90 130)
  for number in "${numbers[@]}"; do
    if [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; then continue; fi
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    # shellcheck disable=SC2034 # the caller's
    XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 100); do
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    echo "Xvfb on $DISPLAY does not answer" >&2
    return 1
  done
  echo "no free X display number" >&2
  return 1
}
