#!/bin/sh
# SPDX-License-Identifier: MIT
# Takes a screenshot of every tab of the editor in a virtual X server, clicking the tab
# captions with the mouse as a user would. Writes tab-1.png ... tab-10.png into the folder
# given (default: screenshots/ under the build folder). With --windows, of the Windows
# build under Wine (made first by scripts/windows.sh).
#   sh scripts/screenshots.sh [--windows] [OUTPUT_FOLDER]
set -e
cd "$(dirname "$0")/.."
top=$(pwd)
windows=""
if [ "$1" = "--windows" ]; then
    windows=yes
    shift
fi

sh scripts/setup.sh xvfb xdotool imagemagick
if [ -n "$windows" ]; then
    out=${1:-$top/build-windows/screenshots}
    cmake --build build-windows --target qavmaker >/dev/null
    qt=$(sh scripts/windows-qt.sh)
    editor="sh $top/scripts/wine-run.sh $qt $top/build-windows/bin/qavmaker.exe"
else
    out=${1:-$top/build-release/screenshots}
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build build-release -j2 --target qavmaker >/dev/null
    editor="$top/build-release/bin/qavmaker"
fi

mkdir -p "$out"
work=$(mktemp -d)
display=:$((90 + $$ % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1
# shellcheck disable=SC2086
(cd "$work" && exec $editor) &
app=$!
window=$(xdotool search --sync --name "KORVALIN - Mission File Creator")
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# The tab captions stand in two rows of five, 33 pixels high, on a container 657 pixels
# wide whose top-left corner is at (8, 200) in the window.
for tab in 1 2 3 4 5 6 7 8 9 10; do
    column=$(( (tab - 1) % 5 ))
    row=$(( (tab - 1) / 5 ))
    cx=$(( X + 8 + column * 657 / 5 + 65 ))
    cy=$(( Y + 200 + row * 33 + 16 ))
    xdotool mousemove "$cx" "$cy" click 1
    sleep 0.3
    import -window "$window" "$out/tab-$tab.png"
done
echo "Screenshots in $out"
