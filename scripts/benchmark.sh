#!/bin/sh
# SPDX-License-Identifier: MIT
# Measures the editor's start-up and peak memory against a minimal Qt window of the same
# build, under a virtual X server, and qavmake on 100 project files. Not a test: the
# figures depend on the machine. Prints a table for the README.
#   sh scripts/benchmark.sh [RUNS]
set -e
cd "$(dirname "$0")/.."
runs=${1:-21}
sh scripts/setup.sh xvfb python3 python3-xlib
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j2 --target qavmaker qavmake minimalwindow >/dev/null

projects=$(mktemp -d)
display=:$((80 + $$ % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$projects"' EXIT
i=1
while [ $i -le 100 ]; do
    sed "s/^FileName=filled/FileName=mission$i/" tests/fixtures/filled.mfc > "$projects/mission$i.mfc"
    i=$((i + 1))
done
sleep 1
DISPLAY=$display /usr/bin/python3 benchmarks/measure.py "$(pwd)/build-release/bin" "$projects" "$runs"
