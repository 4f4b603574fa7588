#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Windows zip and installer, checks that the zip holds the installation's files
# and nothing else, then tries the installer in a Wine prefix of its own: a silent
# installation puts the files, the Start-menu shortcut, the user's folder and the file types
# in place; the installed programs start without the build's Qt (what they load must lie
# beside them); the silent uninstaller takes away all it put, and leaves the user's files.
#   sh check_windows_installer.sh BUILD_FOLDER ZIP SETUP VERSION
set -eu
export LC_ALL=C
build=$1
zip=$2
setup=$3
version=$4
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
tmp=$(mktemp -d)
cleanup() {
    WINEPREFIX="$tmp/prefix" "$wineserver" -k 2>/dev/null || true
    WINEPREFIX="$tmp/prefix" "$wineserver" -w 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
files="LICENSE.txt
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
README.txt
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
licenses/GCC-copyright.txt
licenses/GPL-3.txt
licenses/LGPL-3.txt
licenses/MinGW-runtime.txt
licenses/MinGW-w64-copyright.txt
licenses/Qt-copyright.txt
licenses/Qt.txt
plugins/platforms/qwindows.dll
plugins/styles/qwindowsvistastyle.dll
qavmake.exe
qavmaker.exe
qavmaker.ico"

fail() { echo "FAIL: $*"; echo "windows installer: 0 passed, 1 failed"; exit 1; }

# Made with the build's own settings, before HOME below hides its caches.
cmake --build "$build" --target windows-package >"$tmp/build.log" 2>&1 \
    || fail "windows-package: $(tail -n 30 "$tmp/build.log")"

# The zip holds the files in a folder of the package's name, sorted, without folder entries.
listed=$(cmake -E tar tf "$zip")
expected=$(echo "$files" | sort | sed "s|^|QAVMaker-$version/|")
[ "$listed" = "$expected" ] || fail "the zip holds:
$listed"
mkdir "$tmp/zip"
(cd "$tmp/zip" && cmake -E tar xf "$zip")

# A prefix with nothing of the build's: no Qt on the path, no plugin folder named.
export WINEPREFIX="$tmp/prefix" HOME="$tmp/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
mkdir "$HOME"
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
"$wine" "$setup" /S >"$tmp/setup.log" 2>&1 || fail "setup /S: $(cat "$tmp/setup.log")"
"$wineserver" -w

c="$WINEPREFIX/drive_c"
inst="$c/Program Files/QAVMaker"
[ -d "$inst" ] || fail "nothing in C:\\Program Files\\QAVMaker"
installed=$(cd "$inst" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$(printf '%s\nUninstall.exe\n' "$files" | sort)" ] || fail "installed files:
$installed"
# The same bytes as the zip's.
for file in $files; do
    cmp -s "$inst/$file" "$tmp/zip/QAVMaker-$version/$file" || fail "$file differs from the zip's"
done

# The shortcut, in the installing user's Start menu, starts the editor in the user's folder.
user=""
for folder in "$c"/users/*/Documents/QAVMaker; do
    if [ -d "$folder" ]; then
        user=$(basename "$(dirname "$(dirname "$folder")")")
    fi
done
[ -n "$user" ] || fail "no user's folder Documents\\QAVMaker"
docs="$c/users/$user/Documents/QAVMaker"
[ -d "$docs/mfc" ] || fail "no folder mfc in $docs"
lnk="$c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/QAVMaker.lnk"
[ -f "$lnk" ] || fail "no shortcut QAVMaker.lnk in the Start menu"
# The shortcut's texts are UTF-16: without their zero bytes they read as ASCII.
tr -d '\000' <"$lnk" >"$tmp/lnk"
grep -aqF 'Program Files\QAVMaker\qavmaker.exe' "$tmp/lnk" || fail "the shortcut starts no qavmaker.exe"
grep -aqF "users\\$user\\Documents\\QAVMaker" "$tmp/lnk" \
    || fail "the shortcut does not start in Documents\\QAVMaker"

# Both programs start from where they were installed, with nothing but what lies beside them.
# The editor, a Windows program started without a console, would show its --version in a
# message box; in a terminal Wine gives it a console, whose drawing of the text (cursor
# moves for blanks) is taken out again.
console() {
    script -qec "$(printf "'%s' " "$wine" "$@")" /dev/null </dev/null \
        | sed 's/\x1b\[1C/ /g; s/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r'
}
for program in qavmake qavmaker; do
    seen=$(console "C:\\Program Files\\QAVMaker\\$program.exe" --version 2>&1) \
        || fail "$program.exe --version: $seen"
    [ "$seen" = "$program $version" ] || fail "$program.exe --version printed: $seen"
done
# The editor finds its platform plugin beside it and shows its window, started where the
# shortcut starts it; under Xvfb, when there is one.
if command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null; then
    cat >"$tmp/window.sh" <<'WINDOW'
(cd "$1" && exec "$2" 'C:\Program Files\QAVMaker\qavmaker.exe') >"$3" 2>&1 &
for _ in $(seq 60); do
    xwininfo -root -tree | grep '("qavmaker.exe" "qavmaker.exe")  674x544' && break
    sleep 1
done
"$4" -k
WINDOW
    window=$(xvfb-run -a sh "$tmp/window.sh" "$docs" "$wine" "$tmp/window.log" "$wineserver")
    echo "$window" | grep -q 'Mission File Creator' || fail "the installed editor shows no window:
$(cat "$tmp/window.log")"
fi

# reg QUERY: the value of a key, or fails.
query() {
    value=$("$wine" reg query "$@" 2>/dev/null) || return 1
    printf '%s\n' "$value" | tr -d '\r'
}
query 'HKCR\.mfc' /ve | grep -q 'REG_SZ *QAVMaker.Project$' || fail ".mfc is no project:
$(query 'HKCR\.mfc' /s)"
query 'HKCR\QAVMaker.Project\shell\open\command' /ve \
    | grep -qF 'REG_SZ    "C:\Program Files\QAVMaker\qavmaker.exe" "%1"' \
    || fail "projects open with: $(query 'HKCR\QAVMaker.Project' /s)"
query 'HKCR\QAVMaker.Project\DefaultIcon' /ve | grep -qF 'QAVMaker\qavmaker.ico' \
    || fail "projects have no icon"
query 'HKCR\.qav' /ve | grep -q 'REG_SZ *QAVMaker.Mission$' || fail ".qav is no mission"
query 'HKCR\QAVMaker.Mission\DefaultIcon' /ve | grep -qF 'QAVMaker\qavmaker.ico' \
    || fail "missions have no icon"
! query 'HKCR\QAVMaker.Mission\shell' >/dev/null || fail "missions have a command"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QAVMaker'
query "$uninstall" /v UninstallString | grep -qF '"C:\Program Files\QAVMaker\Uninstall.exe"' \
    || fail "no Add/Remove entry: $(query "$uninstall")"
query "$uninstall" /v DisplayVersion | grep -q "REG_SZ *$version$" \
    || fail "Add/Remove entry of another version: $(query "$uninstall")"

# What the user wrote stays. The uninstaller runs from a copy of itself in the temporary
# folder, as it does when started from Add/Remove Programs; wineserver waits for that copy.
printf '[Settings]\r\nFileName=mine\r\n' >"$docs/mfc/mine.mfc"
"$wine" "C:\\Program Files\\QAVMaker\\Uninstall.exe" /S >"$tmp/uninstall.log" 2>&1 \
    || fail "Uninstall.exe /S: $(cat "$tmp/uninstall.log")"
"$wineserver" -w
[ ! -e "$inst" ] || fail "left in C:\\Program Files\\QAVMaker: $(cd "$inst" && find .)"
[ ! -e "$lnk" ] || fail "the shortcut is left"
[ -f "$docs/mfc/mine.mfc" ] || fail "the user's project went with the program"
for key in 'HKCR\.mfc' 'HKCR\.qav' 'HKCR\QAVMaker.Project' 'HKCR\QAVMaker.Mission' "$uninstall"; do
    ! query "$key" >/dev/null || fail "left in the registry: $(query "$key" /s)"
done
echo "windows installer: 1 passed, 0 failed"
