#!/usr/bin/env bash
# The skin benchmark, run by hand (never by the tests): bench/skin/run.sh [RUNS]
# Builds the Windows build's bench_skin, runs it under Wine on an Xvfb of its
# own (its frames drawn by Wine itself, as in the tests) and prints its lines.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/env.sh"
runs=${1:-15}
ZORVEX_BUILD_TARGETS=bench_skin bash "$ZORVEX_ROOT/scripts/build.sh" windows >/dev/null
exe=$ZORVEX_BUILD_DIR/windows/bench/skin/bench_skin.exe
XVFB_PID=
cleanup() { wineserver -k >/dev/null 2>&1 || true; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true; }
trap cleanup EXIT
start_xvfb
wineserver -p >/dev/null 2>&1 || true
reg=$(mktemp /tmp/zorvex-bench.XXXXXX.reg)
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\bench_skin.exe\\X11 Driver]\n"Managed"="N"\n' >"$reg"
"$ZORVEX_WINE" regedit /S "Z:$reg" </dev/null >/dev/null 2>&1 || true
rm -f "$reg"
"$ZORVEX_WINE" "$exe" "$runs" 2>/dev/null
