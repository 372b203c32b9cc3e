#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the
# native tests directly, the Windows tests under Wine, inside an Xvfb started
# here on a free display and stopped by its process id. Exits non-zero on any
# failure.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

bash "$here/setup.sh" || exit 1
bash "$here/build.sh" native windows fuzz || exit 1

# A private HOME: the Wine Recycle Bin (the trash under HOME) of the tests
# never touches a real one.
test_home=$(mktemp -d /tmp/zorvex-home.XXXXXX)
XVFB_PID=
cleanup() {
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$test_home"
}
trap cleanup EXIT

start_xvfb
export HOME=$test_home
# One Wine server for the whole run instead of one per test program, with
# Wine's own background processes started here: started by a test instead,
# they would inherit its output pipe and keep ctest waiting.
wineserver -p >/dev/null 2>&1 || true
"$ZORVEX_WINE" wineboot </dev/null >/dev/null 2>&1 || true
# With no window manager under Xvfb, the test programs' windows are left to
# Wine itself: it then draws their frames (screenshots show them) and hiding
# a window does not wait for a window manager that is not there.
reg_file=$(mktemp /tmp/zorvex-tests.XXXXXX.reg)
{
  echo REGEDIT4
  find "$ZORVEX_BUILD_DIR/windows/tests" -name '*.exe' -printf '%f\n' | sort -u | while read -r exe; do
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n"Managed"="N"\n' "$exe"
  done
} >"$reg_file"
"$ZORVEX_WINE" regedit /S "Z:$reg_file" </dev/null >/dev/null 2>&1 || true
rm -f "$reg_file"

status=0
echo "== native tests"
ctest --test-dir "$ZORVEX_BUILD_DIR/native" --output-on-failure -j"$(nproc)" || status=1
echo "== Windows tests (Wine)"
# A test program that finished its tests can still hang in Wine's process
# exit now and then; one that timed out runs once more.
ctest --test-dir "$ZORVEX_BUILD_DIR/windows" --output-on-failure -j"$(nproc)" --repeat after-timeout:2 || status=1
echo "== fuzz smoke run"
bash "$here/fuzz.sh" 3 || status=1
if [ "$status" = 0 ]; then
  echo "== all tests passed"
else
  echo "== some tests FAILED"
fi
exit "$status"
