#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and builds its Debian package, then checks
# what both hold, the package's dependencies, its changelog, lintian's verdict on it, its
# manual pages, the desktop entry and the AppStream data, and that the desktop launcher
# starts the editor in the user's QAVMaker folder.
#   sh check_install.sh BUILD_FOLDER
set -eu
export LC_ALL=C.UTF-8
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
id=io.github.qavmaker.QAVMaker
pages="qavmake qavmaker qavmaker-launch"
files="bin/qavmake
bin/qavmaker
bin/qavmaker-launch
share/applications/$id.desktop
share/doc/qavmaker/changelog.gz
share/doc/qavmaker/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/24x24/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/man/man1/qavmake.1.gz
share/man/man1/qavmaker-launch.1.gz
share/man/man1/qavmaker.1.gz
share/metainfo/$id.metainfo.xml
share/mime/packages/$id.xml"

fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
installed=$(cd "$tmp/prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$files" ] || fail "installed files:
$installed"
desktop-file-validate "$tmp/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$tmp/prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "AppStream data"

# The file manager knows projects and missions by their names, and opens projects with the
# editor.
cp -r "$tmp/prefix/share" "$tmp/mimeshare"
update-mime-database "$tmp/mimeshare/mime" >/dev/null 2>&1
printf '[Settings]\r\nFileName=p\r\n' >"$tmp/p.mfc"
printf '<?xml version="1.0"?>\r\n<QAV>\r\n' >"$tmp/m.qav"
for pair in "p.mfc application/x-qavmaker-project" "m.qav application/x-qavmaker-mission"; do
    type=$(XDG_DATA_DIRS="$tmp/mimeshare" XDG_DATA_HOME="$tmp/none" \
        xdg-mime query filetype "$tmp/${pair% *}" 2>/dev/null)
    [ "$type" = "${pair#* }" ] || fail "${pair% *} is of type '$type'"
done
grep -qx 'MimeType=application/x-qavmaker-project;' "$tmp/prefix/share/applications/$id.desktop" \
    || fail "desktop entry opens no projects"
# Each icon is of the size its folder names.
for icon in "$tmp"/prefix/share/icons/hicolor/*/apps/$id.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    file -b "$icon" | grep -q "PNG image data, ${size%x*} x ${size#*x}," \
        || fail "icon $size is $(file -b "$icon")"
done

(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/||' | sort)
[ "$packaged" = "$files" ] || fail "packaged files:
$packaged"
dpkg-deb -x "$deb" "$tmp/root"

# The libraries come from dpkg-shlibdeps, whose versions follow the system's; what Qt loads
# at run time and the window's font are named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation; do
    echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$package" \
        || fail "depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland" ] \
    || fail "recommends: $(dpkg-deb -f "$deb" Recommends)"
for program in qavmake qavmaker; do
    file "$tmp/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done

# The changelog is NEWS; its latest entry must be the version packaged.
gzip -dc "$tmp/root/usr/share/doc/qavmaker/changelog.gz" >"$tmp/changelog"
news=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)
[ "$news" = "$(dpkg-deb -f "$deb" Version)" ] || fail "NEWS is at version $news"
homepage=$(dpkg-deb -f "$deb" Homepage)
grep -qF "<url type=\"homepage\">$homepage</url>" "$tmp/root/usr/share/metainfo/$id.metainfo.xml" \
    || fail "AppStream data lacks the homepage $homepage"

lintian --fail-on error,warning "$deb" >"$tmp/lintian" 2>&1 || fail "lintian:
$(cat "$tmp/lintian")"

# Each page is found by name below the package's manual folder, and man reports no
# formatting problem (the check lintian makes).
for page in $pages; do
    MANWIDTH=80 man -M "$tmp/root/usr/share/man" "$page" 2>&1 | grep -q "^NAME" \
        || fail "man $page shows no page"
    problems=$(MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$tmp/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$problems" ] || fail "manual page $page: $problems"
done

mkdir "$tmp/home"
HOME="$tmp/home" QT_QPA_PLATFORM=offscreen timeout 3 "$tmp/prefix/bin/qavmaker-launch" \
    >/dev/null 2>&1 || true
[ -d "$tmp/home/QAVMaker/mfc" ] || fail "launcher made no QAVMaker/mfc folder"
# A project named relative to where the launcher starts reaches the editor as a full name.
mkdir "$tmp/work"
printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@"\n' >"$tmp/work/qavmaker"
cp "$tmp/prefix/bin/qavmaker-launch" "$tmp/work/"
chmod +x "$tmp/work/qavmaker"
seen=$(cd "$tmp/work" && HOME="$tmp/home" ./qavmaker-launch p.mfc /abs/q.mfc)
[ "$seen" = "$tmp/home/QAVMaker
$tmp/work/p.mfc
/abs/q.mfc" ] || fail "launcher passed on: $seen"
echo "install and package: 1 passed, 0 failed"
