# Common environment of the project's scripts (sourced, not run).
ZORVEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ZORVEX_ROOT
export ZORVEX_BUILD_DIR=${ZORVEX_BUILD_DIR:-$ZORVEX_ROOT/build}
# The third-party builds may be shared between checkouts by pointing this elsewhere.
export ZORVEX_DEPS_DIR=${ZORVEX_DEPS_DIR:-$ZORVEX_BUILD_DIR/deps}
export WINEPREFIX=${WINEPREFIX:-$ZORVEX_BUILD_DIR/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win64
export ZORVEX_WINE=/usr/lib/wine/wine64

# Starts an Xvfb on the first free display from :90 on; sets DISPLAY and
# XVFB_PID (the caller stops it by that process id).
start_xvfb() {
  local display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$display"
}
