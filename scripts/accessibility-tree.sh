#!/bin/sh
# SPDX-License-Identifier: MIT
# Starts the editor in a virtual X server on a D-Bus session of its own with the desktop's
# accessibility bus (AT-SPI), prints the accessibility tree as a screen reader reads it (role,
# name, description, states, relations), then what would trip a screen reader up, and stops.
# With --tab N, tab N is chosen first through its page tab; with --keys, the keys named
# (xdotool's names: Tab, shift+Tab, Right, Home, ...) are typed into the window; what a
# screen reader hears after each is printed. Builds build-release/ if it has no editor yet;
# --build names another build folder. Exits 1 if the tree has a problem.
#   sh scripts/accessibility-tree.sh [--tab N] [--keys 'KEY ...'] [--build FOLDER]
set -e
cd "$(dirname "$0")/.."
top=$(pwd)
build=$top/build-release
tab=""
keys=""
while [ $# -gt 0 ]; do
    case $1 in
    --tab) tab="--tab $2"; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --in-session) session=1; shift ;;
    *) echo "usage: sh scripts/accessibility-tree.sh [--tab N] [--keys 'KEY ...'] [--build FOLDER]" >&2; exit 2 ;;
    esac
done

if [ -z "$session" ]; then
    sh scripts/setup.sh xvfb at-spi2-core dbus python3-pyatspi xdotool
    if [ ! -x "$build/bin/qavmaker" ]; then
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
        cmake --build "$build" -j2 --target qavmaker >/dev/null
    fi
    # shellcheck disable=SC2086
    exec dbus-run-session -- sh "$0" --in-session --build "$build" $tab --keys "$keys"
fi

work=$(mktemp -d)
display=:$((80 + $$ % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap 'kill $app $bus $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1
# Qt speaks to the accessibility bus only when told that an assistive tool listens.
(cd "$work" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$build/bin/qavmaker") &
app=$!
# shellcheck disable=SC2086
/usr/bin/python3 "$top/scripts/accessibility-tree.py" $tab --keys "$keys"
