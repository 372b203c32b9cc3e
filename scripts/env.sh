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
