#!/usr/bin/env bash
# The release made from this build, tried as a user gets it:
#   install_test.sh WINDOWS_BUILD_DIR TEST_PROGRAM
# Packages the build, unpacks the zip and runs TEST_PROGRAM (which installs,
# starts and uninstalls) under Wine in a throwaway copy of the project's
# prefix, never in the project's prefix itself.
set -euo pipefail
build=$1
test_program=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/env.sh"

project_prefix=$WINEPREFIX
work=$(mktemp -d /tmp/zorvex-release-test.XXXXXX)
export WINEPREFIX=$work/prefix
XVFB_PID=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A display of its own: the installed program's window takes no focus from
# the windows of the tests that run beside this one.
start_xvfb

bash "$root/scripts/package.sh" "$build" "$work/out"

# The prefix's 600 MB of system libraries are only read: linked, not copied,
# when the project's prefix is up to date with this Wine (the test command
# updates it before the tests), so that nothing rewrites them through the
# links.
libraries=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
mkdir -p "$WINEPREFIX"
if [ "$(cat "$project_prefix/.update-timestamp" 2>/dev/null)" = "$(stat -c %Y /usr/share/wine/wine.inf)" ]; then
  excludes=()
  for dir in "${libraries[@]}"; do excludes+=("--exclude=./$dir"); done
  (cd "$project_prefix" && tar -cf - "${excludes[@]}" .) | (cd "$WINEPREFIX" && tar -xf -)
  for dir in "${libraries[@]}"; do
    [ -d "$project_prefix/$dir" ] && cp -al "$project_prefix/$dir" "$WINEPREFIX/$dir"
  done
else
  cp -a "$project_prefix/." "$WINEPREFIX/"
fi

# Wine's background processes get no pipe of ctest's to hold open.
wineserver -p >/dev/null 2>&1 || true
"$ZORVEX_WINE" wineboot </dev/null >/dev/null 2>&1 || true
# No window manager under Xvfb: Wine draws and hides the installed program's
# window itself.
reg_file=$work/unmanaged.reg
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Zorvex.exe\\X11 Driver]\n"Managed"="N"\n' >"$reg_file"
"$ZORVEX_WINE" regedit /S "Z:$reg_file" </dev/null >/dev/null 2>&1

setup=$(find "$work/out" -name 'Zorvex-*-win64-setup.exe')
zip=$(find "$work/out" -name 'Zorvex-*-win64.zip')
unzip -q "$zip" -d "$WINEPREFIX/drive_c/portable"
portable=$(find "$WINEPREFIX/drive_c/portable" -mindepth 1 -maxdepth 1 -type d)

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
ZORVEX_SETUP=$(windows_path "$setup") ZORVEX_PORTABLE=$(windows_path "$portable") \
  "$ZORVEX_WINE" "$test_program" </dev/null
