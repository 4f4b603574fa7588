#!/bin/sh
# SPDX-License-Identifier: MIT
# qavmake.exe under Wine writing onto a full disk, made for real (a small file system mounted
# for the test, so root only): the run fails with the system's reason, the older mission stays
# as it was and no temporary file is left.
#   sh check_windows_full.sh QT_PREFIX QAVMAKE_EXE
set -eu
qt=$1
program=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "only root can mount a file system"; exit 77; }
tmp=$(mktemp -d)
cleanup() {
    umount "$tmp/disk" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { printf 'FAIL: %s\nfull disk: 0 passed, 1 failed\n' "$*"; exit 1; }

mkdir "$tmp/disk"
mount -t tmpfs -o size=64k tmpfs "$tmp/disk" || { echo "no tmpfs to mount"; exit 77; }
printf 'older mission' > "$tmp/disk/m1.qav"
dd if=/dev/zero of="$tmp/disk/filler" bs=1k 2> /dev/null || true
disk="Z:$(echo "$tmp/disk" | tr / '\\')"
# A mission of some kilobytes, so that it cannot fit in what the file system keeps back.
label=$(head -c 20000 /dev/zero | tr '\0' x)
printf '[Settings]\r\nDirectory=%s\r\nFileName=m1\r\n[Launch]\r\nLabel=%s\r\n' "$disk" "$label" \
    > "$tmp/p.mfc"
status=0
(cd "$tmp" && sh "$here/scripts/wine-run.sh" "$qt" "$program" p.mfc) > "$tmp/out" 2> "$tmp/err" ||
    status=$?
[ "$status" = 1 ] || fail "exit status $status, not 1: $(cat "$tmp/err")"
grep -q "^qavmake: p.mfc: could not write the mission file .*m1.qav: ." "$tmp/err" ||
    fail "no reason given: $(cat "$tmp/err")"
[ "$(cat "$tmp/disk/m1.qav")" = "older mission" ] || fail "the older mission was changed"
[ -z "$(find "$tmp/disk" -name '.qav-*')" ] || fail "a temporary file was left"
printf 'full disk: 1 passed, 0 failed (%s)\n' "$(cat "$tmp/err")"
