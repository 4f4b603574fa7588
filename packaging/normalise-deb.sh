#!/bin/sh
# SPDX-License-Identifier: MIT
# Gives every member of a Debian package (an ar archive) the mode 0644, as dpkg-deb does.
# CPack takes these modes from the umask, so without this two builds that differ only in
# their umask would give different packages.
#   sh normalise-deb.sh PACKAGE.deb
set -eu
deb=$1
[ "$(head -c 8 "$deb")" = "!<arch>" ] || { echo "$deb: not an ar archive" >&2; exit 1; }
size=$(wc -c <"$deb")
offset=8
while [ "$offset" -lt "$size" ]; do
    # A member header: name 16, date 12, owner 6, group 6, mode 8, size 10, then "`\n".
    [ "$(dd if="$deb" bs=1 skip=$((offset + 58)) count=1 status=none)" = '`' ] \
        || { echo "$deb: no member header at byte $offset" >&2; exit 1; }
    printf '100644  ' | dd of="$deb" bs=1 seek=$((offset + 40)) conv=notrunc status=none
    length=$(dd if="$deb" bs=1 skip=$((offset + 48)) count=10 status=none | tr -d ' ')
    offset=$((offset + 60 + length + length % 2))
done
