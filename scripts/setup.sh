#!/usr/bin/env bash
# Installs what the builds need (Debian packages only) and cross-builds the
# third-party libraries for the Windows build into the build folder.
# Everything built here is cached: a second run only checks and returns.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/env.sh
source "$here/env.sh"

packages=(cmake make g++ g++-mingw-w64-x86-64-posix wine64 wine xvfb xauth
  libgtest-dev libjpeg62-turbo-dev libdeflate-dev libxxhash-dev nlohmann-json3-dev dpkg-dev
  fonts-wine clang libclang-rt-14-dev imagemagick nsis zip unzip)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

apt_updated=0
apt_update() {
  if [ "$apt_updated" = 0 ]; then
    apt-get update -qq
    apt_updated=1
  fi
}

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  apt_update
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source packages of the libraries the Windows build links statically.
src_dir="$ZORVEX_DEPS_DIR/src"
prefix="$ZORVEX_DEPS_DIR/mingw"
mkdir -p "$src_dir" "$prefix/lib" "$prefix/include"

have_deb_src() {
  grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

fetch_source() { # package -> prints the unpacked folder
  local pkg=$1 dir
  dir=$(find "$src_dir" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -z "$dir" ]; then
    if ! have_deb_src; then
      echo "setup: adding a deb-src entry for Debian's archive" >&2
      sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/zorvex-deb-src.sources 2>/dev/null ||
        echo "deb-src http://deb.debian.org/debian bookworm main" >/etc/apt/sources.list.d/zorvex-deb-src.list
      apt_updated=0
    fi
    apt_update
    (cd "$src_dir" && apt-get source -qq "$pkg" >/dev/null 2>&1)
    dir=$(find "$src_dir" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "setup: could not get the source of $pkg" >&2; exit 1; }
  echo "$dir"
}

cross=x86_64-w64-mingw32
jobs=$(nproc)

if [ ! -f "$prefix/lib/libdeflate.a" ]; then
  echo "setup: cross-building libdeflate" >&2
  d=$(fetch_source libdeflate)
  make -s -C "$d" clean >/dev/null 2>&1 || true
  make -s -C "$d" -j"$jobs" CC=$cross-gcc AR=$cross-ar libdeflatestatic.lib >/dev/null
  cp "$d/libdeflate.h" "$prefix/include/"
  cp "$d/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
fi

if [ ! -f "$prefix/include/xxhash.h" ]; then
  echo "setup: taking xxhash's header" >&2
  d=$(fetch_source xxhash)
  cp "$d/xxhash.h" "$prefix/include/"
fi

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  echo "setup: cross-building libjpeg-turbo" >&2
  d=$(fetch_source libjpeg-turbo)
  b="$ZORVEX_DEPS_DIR/build-libjpeg"
  rm -rf "$b"
  cmake -S "$d" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$ZORVEX_ROOT/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include >/dev/null
  cmake --build "$b" -j"$jobs" --target jpeg-static >/dev/null
  cp "$b/libjpeg.a" "$prefix/lib/"
  cp "$d/jpeglib.h" "$d/jmorecfg.h" "$d/jerror.h" "$b/jconfig.h" "$prefix/include/"
fi

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  echo "setup: cross-building GoogleTest" >&2
  b="$ZORVEX_DEPS_DIR/build-gtest"
  rm -rf "$b"
  cmake -S /usr/src/googletest -B "$b" -DCMAKE_TOOLCHAIN_FILE="$ZORVEX_ROOT/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include >/dev/null
  cmake --build "$b" -j"$jobs" >/dev/null
  cmake --install "$b" >/dev/null
fi

# The Wine prefix the program and the Windows tests run in.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix" >&2
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml=" "$ZORVEX_WINE" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
