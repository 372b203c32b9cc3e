#!/usr/bin/env bash
# Makes a release in dist/ (made anew): Zorvex-VERSION-win64-setup.exe, the
# installer; Zorvex-VERSION-win64.zip, the same programs to run from any
# folder; and each program's debug information (PROGRAM.exe.debug). Installs
# what is missing and builds the shipped programs of the Windows build (an
# optimised build, cached with the test run's) first.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

bash "$here/setup.sh"
ZORVEX_BUILD_TARGETS=zorvex_release bash "$here/build.sh" windows
dist=$ZORVEX_ROOT/dist
rm -rf "$dist"
bash "$here/package.sh" "$ZORVEX_BUILD_DIR/windows" "$dist"
echo "release: in $dist"
(cd "$dist" && ls -l --time-style=+ -- *)
