#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds Qt 6.4.2 for 64-bit Windows with Debian's MinGW-w64 (posix threads) from Debian 12's
# own qt6-base source, once, into a cache outside the build folders, and prints its prefix.
#   sh scripts/windows-qt.sh
# QAV_WINDOWS_QT names another prefix. A finished prefix holds ".complete" and is reused.
set -e
here=$(cd "$(dirname "$0")" && pwd)
stamp=$(sha256sum "$here/windows-qt.sh" | cut -c1-8)
prefix=${QAV_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/qavmaker/qt-6.4.2-mingw64-$stamp}
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
sh "$here/setup.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build dpkg-dev \
    xz-utils >&2

work=$(mktemp -d "${TMPDIR:-/tmp}/qav-windows-qt.XXXXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM HUP
cd "$work"
mkdir -p lists/partial
echo "deb-src http://deb.debian.org/debian bookworm main" > sources.list
apt="-o Dir::Etc::SourceList=$work/sources.list -o Dir::Etc::SourceParts=/nonexistent -o Dir::State::Lists=$work/lists -o Debug::NoLocking=1"
# shellcheck disable=SC2086
apt-get $apt update -q >&2
# shellcheck disable=SC2086
apt-get $apt source --download-only qt6-base=6.4.2+dfsg-10 >&2
dpkg-source -x qt6-base_6.4.2+dfsg-10.dsc src >&2

cat > toolchain.cmake <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

launcher=""
command -v ccache > /dev/null && launcher="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# shellcheck disable=SC2086
cmake -G Ninja -S src -B build $launcher \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_icu=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF \
    >&2
cmake --build build -j"$(nproc)" >&2
cmake --install build >&2
cp toolchain.cmake "$prefix/mingw64-toolchain.cmake"
for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$prefix/bin/"
done
touch "$prefix/.complete"
echo "$prefix"
