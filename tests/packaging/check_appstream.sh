#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks the AppStream data the build writes as software centres read it: valid at the
# pedantic level without the network, a screenshot that is the one in docs/, and one release
# for each version in NEWS, with its date.
#   sh check_appstream.sh SOURCE_FOLDER METAINFO_FILE
set -eu
export LC_ALL=C.UTF-8
src=$1
metainfo=$2
fail() { echo "FAIL: $*"; echo "AppStream data: 0 passed, 1 failed"; exit 1; }

appstreamcli validate --pedantic --no-net "$metainfo" || fail "not valid"
grep -q '<image type="source" width="674" height="544">https://[^<]*/docs/screenshot.png</image>' \
    "$metainfo" || fail "no screenshot of docs/screenshot.png"
[ "$(file -b "$src/docs/screenshot.png" | cut -d, -f2)" = " 674 x 544" ] \
    || fail "docs/screenshot.png is not 674 x 544"
versions=$(dpkg-parsechangelog -l "$src/NEWS" --all -S Version)
for version in $versions; do
    date=$(dpkg-parsechangelog -l "$src/NEWS" --all -S Date | sed -n "$(echo "$versions" \
        | grep -nx "$version" | cut -d: -f1)p")
    day=$(date -u -d "$date" +%Y-%m-%d)
    grep -q "<release version=\"$version\" date=\"$day\">" "$metainfo" \
        || fail "no release $version of $day"
done
[ "$(grep -c '<release ' "$metainfo")" = "$(echo "$versions" | wc -l)" ] \
    || fail "releases that NEWS does not have"
echo "AppStream data: 1 passed, 0 failed"
