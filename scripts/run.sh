#!/usr/bin/env bash
# Installs what is missing, builds the Windows build and starts Zorvex.exe
# under Wine. Without a display, an Xvfb is started for it (the program then
# runs in Wine's virtual desktop until it is closed).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

bash "$here/setup.sh"
bash "$here/build.sh" windows

exe="$ZORVEX_BUILD_DIR/windows/src/app/Zorvex.exe"
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
  echo "No display: running on Xvfb display $DISPLAY (screenshot it with: import -display $DISPLAY -window root shot.png)"
  "$ZORVEX_WINE" explorer /desktop=Zorvex,1280x1024 "$exe"
else
  "$ZORVEX_WINE" "$exe"
fi
