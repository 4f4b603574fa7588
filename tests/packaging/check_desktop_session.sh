#!/bin/sh
# SPDX-License-Identifier: MIT
# Starts the editor as a desktop would and checks what docks and task bars read from its
# window: under X11 (a virtual X server) the class the desktop entry's StartupWMClass names,
# an icon, and its size; under Wayland alone (a headless Weston, no X server at all) the app
# id the desktop entry's name gives, and that it maps at its size.
#   sh check_desktop_session.sh QAVMAKER DESKTOP_ENTRY
set -eu
export LC_ALL=C.UTF-8
program=$1
entry=$2
tmp=$(mktemp -d)
chmod 700 "$tmp"
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "desktop session: 0 passed, 1 failed"; exit 1; }

id=$(basename "$entry" .desktop)
class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$class" ] || fail "the desktop entry names no StartupWMClass"
mkdir "$tmp/home"
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp" XDG_CONFIG_HOME="$tmp/home/.config"
unset QT_QPA_PLATFORM QT_STYLE_OVERRIDE WAYLAND_DISPLAY

# X11.
Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
pids="$pids $!"
export DISPLAY=:97
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
(cd "$tmp" && exec "$program") >"$tmp/x11.log" 2>&1 &
editor=$!
pids="$pids $editor"
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$editor" --name KORVALIN \
    | head -n 1) || fail "no window under X11: $(cat "$tmp/x11.log")"
wmclass=$(xprop -id "$window" WM_CLASS)
[ "$wmclass" = "WM_CLASS(STRING) = \"qavmaker\", \"$class\"" ] || fail "X11 class: $wmclass"
# Qt hands X11 the sizes up to 128.
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr '\n' ' ')
[ "$icons" = "Icon (16 x 16) Icon (24 x 24) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) Icon (128 x 128) " ] \
    || fail "window icons: $icons"
size=$(xwininfo -id "$window" | sed -n 's/^ *Width: //p; s/^ *Height: //p' | tr '\n' ' ')
[ "$size" = "674 544 " ] || fail "X11 window of $size"
kill "$editor"
unset DISPLAY

# Wayland, with nothing but the compositor.
weston --backend=headless-backend.so --socket=qav-wayland --width=1024 --height=768 --debug \
    --no-config >"$tmp/weston.log" 2>&1 &
pids="$pids $!"
for _ in $(seq 100); do [ -S "$tmp/qav-wayland" ] && break; sleep 0.1; done
[ -S "$tmp/qav-wayland" ] || fail "weston did not start: $(cat "$tmp/weston.log")"
export WAYLAND_DISPLAY=qav-wayland
(cd "$tmp" && QT_QPA_PLATFORM=wayland exec "$program") >"$tmp/wayland.log" 2>&1 &
editor=$!
pids="$pids $editor"
for _ in $(seq 100); do
    timeout 5 weston-debug scene-graph >"$tmp/scene" 2>&1 || true
    grep -q "top-level window 'KORVALIN" "$tmp/scene" && break
    sleep 0.2
done
view=$(grep -A 2 "top-level window 'KORVALIN" "$tmp/scene") \
    || fail "no window under Wayland: $(cat "$tmp/wayland.log")"
echo "$view" | grep -q " of $id, " || fail "Wayland app id: $view"
# The opaque region is the window's content, without the decorations drawn around it.
opaque=$(echo "$view" | sed -n 's/.*\[opaque: (\([0-9]*\), \([0-9]*\)) -> (\([0-9]*\), \([0-9]*\))\].*/\1 \2 \3 \4/p')
set -- $opaque
[ $# -eq 4 ] && [ "$(($3 - $1)) x $(($4 - $2))" = "674 x 544" ] \
    || fail "Wayland window mapped as: $view"
echo "desktop session: 1 passed, 0 failed"
