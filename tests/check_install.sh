#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and builds its Debian package, then checks
# what both hold, the package's dependencies, the desktop entry and the AppStream data,
# and that the desktop launcher starts the editor in the user's QAVMaker folder.
#   sh check_install.sh BUILD_FOLDER
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
id=io.github.qavmaker.QAVMaker
files="bin/qavmake
bin/qavmaker
bin/qavmaker-launch
share/applications/$id.desktop
share/icons/hicolor/256x256/apps/$id.png
share/metainfo/$id.metainfo.xml"

fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
installed=$(cd "$tmp/prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$files" ] || fail "installed files:
$installed"
desktop-file-validate "$tmp/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$tmp/prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "AppStream data"

(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/||' | sort)
[ "$packaged" = "$files" ] || fail "packaged files:
$packaged"
depends=$(dpkg-deb -f "$deb" Depends)
[ "$depends" = "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins, fonts-liberation" ] \
    || fail "depends: $depends"

mkdir "$tmp/home"
HOME="$tmp/home" QT_QPA_PLATFORM=offscreen timeout 3 "$tmp/prefix/bin/qavmaker-launch" \
    >/dev/null 2>&1 || true
[ -d "$tmp/home/QAVMaker/mfc" ] || fail "launcher made no QAVMaker/mfc folder"
echo "install and package: 1 passed, 0 failed"
