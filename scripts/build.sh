#!/usr/bin/env bash
# Configures and builds: scripts/build.sh [native] [windows] [fuzz] (default: native and windows)
# ZORVEX_BUILD_TARGETS, when set, builds only these targets.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
jobs=$(nproc)
for build in "${@:-native windows}"; do
  for b in $build; do
    case "$b" in
    native)
      cmake -S "$ZORVEX_ROOT" -B "$ZORVEX_BUILD_DIR/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
      ;;
    windows)
      cmake -S "$ZORVEX_ROOT" -B "$ZORVEX_BUILD_DIR/windows" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$ZORVEX_ROOT/cmake/toolchain-mingw64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$ZORVEX_ROOT/scripts/wine-run" \
        -DZORVEX_DEPS_DIR="$ZORVEX_DEPS_DIR" >/dev/null
      ;;
    fuzz)
      CC=clang CXX=clang++ cmake -S "$ZORVEX_ROOT" -B "$ZORVEX_BUILD_DIR/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZORVEX_FUZZ=ON >/dev/null
      ;;
    *) echo "unknown build: $b" >&2; exit 2 ;;
    esac
    echo "build: $b" >&2
    cmake --build "$ZORVEX_BUILD_DIR/$b" -j"$jobs" ${ZORVEX_BUILD_TARGETS:+--target $ZORVEX_BUILD_TARGETS}
  done
done
