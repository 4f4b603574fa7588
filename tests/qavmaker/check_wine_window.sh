#!/bin/sh
# SPDX-License-Identifier: MIT
# Starts the Windows editor under Wine with a real X server (a virtual one), as a pilot on
# Linux runs it, and works it with the mouse and the keyboard at the places the layout
# gives: the window must map at its size, and Make Mission must write the mission a fresh
# form makes, byte for byte, with settings.dat and the project file beside it; then, with the
# simulator's installation above the Directory, typing "Hab" into the base box must offer
# "Habana", which Down and Enter choose.
#   sh check_wine_window.sh QT_PREFIX QAVMAKER_EXE DEFAULTS_GOLDEN
set -eu
qt=$1
program=$2
golden=$3
here=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    WINEPREFIX="$tmp/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "wine window: 0 passed, 1 failed"; exit 1; }

display=:$((50 + $$ % 40))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
pids="$!"
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
mkdir "$tmp/work" "$tmp/work/Dir"
# A Wine prefix of its own: a Wine server that other programs of the build started without a
# display would show no window.
export QAV_WINEPREFIX="$tmp/prefix"
(cd "$tmp/work" && exec sh "$here/scripts/wine-run.sh" "$qt" "$program") > "$tmp/log" 2>&1 &
pids="$! $pids"
window=$(timeout 90 xdotool search --sync --name "KORVALIN - Mission File Creator" | head -n 1)
[ -n "$window" ] || fail "no window appeared: $(cat "$tmp/log")"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 674 ] && [ "$HEIGHT" = 544 ] || fail "the window is ${WIDTH}x$HEIGHT, not 674x544"

# The tab captions stand in two rows of five, 33 pixels high, on a container 657 pixels wide
# whose top-left corner is at (8, 200) in the window; the page of a tab starts at (8, 202),
# and its boxes stand where the layout puts them (in twips, 15 to a pixel): "File Name" at
# (1680, 1800) and 2295 wide, "Directory" at (1680, 2160), "Make Mission" at (4440, 4440).
click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; sleep 0.3; }
click $((8 + 4 * 657 / 5 + 65)) $((200 + 33 + 16))
click $((8 + 112 + 76)) $((202 + 120 + 9))
xdotool type --delay 20 "m1"
click $((8 + 112 + 100)) $((202 + 144 + 9))
xdotool key ctrl+a
directory="Z:$(echo "$tmp/work/Dir" | tr / '\\')"
xdotool type --delay 20 "$directory"
click $((8 + 296 + 52)) $((202 + 296 + 16))
for _ in $(seq 100); do [ -f "$tmp/work/mfc/m1.mfc" ] && break; sleep 0.1; done

cmp -s "$tmp/work/Dir/m1.qav" "$golden" || fail "the mission is not the golden one"
printf '%s\r\n' "$directory" | cmp -s - "$tmp/work/settings.dat" ||
    fail "settings.dat does not hold the directory"
grep -q "^FileName=m1" "$tmp/work/mfc/m1.mfc" || fail "the project file names no FileName=m1"

mkdir -p "$tmp/work/Config/Earth/Base"
: > "$tmp/work/Orbiter.exe"
printf 'Planet1 = Earth\r\n' > "$tmp/work/Config/Sol.cfg"
printf 'Name = Earth\r\n' > "$tmp/work/Config/Earth.cfg"
printf 'BASE-V2.0\r\nName = Habana\r\n' > "$tmp/work/Config/Earth/Base/Habana.cfg"
# Tab 1; the Launch "Base" boxes at (1680, 2880) and (4200, 2880).
click $((8 + 65)) $((200 + 16))
click $((8 + 112 + 76)) $((202 + 192 + 9))
xdotool key ctrl+a
xdotool type --delay 20 "Earth"
# The list "Earth" brings up would take the next click to close it.
sleep 1
xdotool key Escape
sleep 0.3
click $((8 + 280 + 76)) $((202 + 192 + 9))
xdotool key ctrl+a
xdotool type --delay 20 "Hab"
sleep 1
xdotool key Down Return
click $((8 + 4 * 657 / 5 + 65)) $((200 + 33 + 16))
click $((8 + 296 + 52)) $((202 + 296 + 16))
chosen='<Var name="Base"> Earth:Habana:[port] </Var>'
for _ in $(seq 100); do grep -qF "$chosen" "$tmp/work/Dir/m1.qav" && break; sleep 0.1; done
grep -qF "$chosen" "$tmp/work/Dir/m1.qav" ||
    fail "the base chosen from the completion list is not in the mission: $(grep -F 'name="Base"' "$tmp/work/Dir/m1.qav" | head -n 1)"
echo "wine window: 1 passed, 0 failed"
