#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian package twice from the files of the source folder (those git does not
# ignore), one build after the other, in folders of different names and depths, with
# different umasks, time zones and locales, and checks that the two packages are the same
# byte for byte. Dates come from the last commit, as they do when the build reads them from
# git. Lintian must find the programs hardened.
#   sh check_reproducible.sh SOURCE_FOLDER [BUILD_TYPE]    (Release by default)
set -eu
src=$(cd "$1" && pwd)
type=${2:-Release}
git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1 \
    || { echo "not a git checkout: skipped"; exit 77; }
epoch=$(git -C "$src" log -1 --format=%ct)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*"; echo "reproducible package: 0 passed, 1 failed"; exit 1; }

# build FOLDER UMASK TZ LOCALE: copies the sources (with the time of copying as their
# modification time), configures, builds and packages.
build() {
    mkdir -p "$1/source"
    (cd "$src" && git ls-files -z --cached --others --exclude-standard | tar --null -T - --ignore-failed-read -cf - 2>/dev/null) \
        | tar -xmf - -C "$1/source"
    (
        umask "$2" && export TZ="$3" LC_ALL="$4" \
            && SOURCE_DATE_EPOCH=$epoch cmake -S "$1/source" -B "$1/build" \
                -DCMAKE_BUILD_TYPE="$type" -DBUILD_TESTING=OFF >"$1/log" 2>&1 \
            && cmake --build "$1/build" -j2 >>"$1/log" 2>&1 \
            && cd "$1/build" && cpack -G DEB >>"$1/log" 2>&1
    ) || fail "build in $1:
$(tail -n 30 "$1/log")"
}

start=$(date +%s)
build "$tmp/one" 022 UTC C.UTF-8
sleep 1
build "$tmp/second/deeper-folder" 002 Pacific/Kiritimati C
one=$(ls "$tmp"/one/build/*.deb)
two=$(ls "$tmp"/second/deeper-folder/build/*.deb)

if ! cmp -s "$one" "$two"; then
    for deb in "$one" "$two"; do
        mkdir "$deb.x"
        dpkg-deb -R "$deb" "$deb.x"
        dpkg-deb -c "$deb" >"$deb.list"
    done
    fail "the two packages differ:
$(diff "$one.list" "$two.list" || true)
$(diff -rq "$one.x" "$two.x" || true)"
fi
# The programs are built with Debian's hardening flags.
hardening=$(lintian -I "$one" 2>&1 | grep 'hardening-' || true)
[ -z "$hardening" ] || fail "lintian: $hardening"
echo "$(basename "$one"): the same from two builds ($(($(date +%s) - start)) s)"
echo "reproducible package: 1 passed, 0 failed"
