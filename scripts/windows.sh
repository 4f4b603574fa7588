#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows build: both programs cross-built with MinGW-w64 against the cached Qt for
# Windows (built first if it is not there), then their tests run under Wine ("test", the
# default), or the zip and the installer for Windows users made ("package").
#   sh scripts/windows.sh [test|package]
set -e
cd "$(dirname "$0")/.."
sh scripts/setup.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build wine64 \
    nsis zip ccache
qt=$(sh scripts/windows-qt.sh)
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qt/mingw64-toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build-windows -j2
case "${1:-test}" in
test) ctest --test-dir build-windows --output-on-failure ;;
package) cmake --build build-windows --target windows-package ;;
*) echo "usage: sh scripts/windows.sh [test|package]" >&2; exit 2 ;;
esac
