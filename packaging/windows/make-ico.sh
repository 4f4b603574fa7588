#!/bin/sh
# SPDX-License-Identifier: MIT
# Writes a Windows icon file from PNG pictures, one per size, stored as they are: Windows
# reads PNG pictures inside an icon since Vista, and the build draws PNG already.
#   sh make-ico.sh OUTPUT.ico SIZE=PICTURE.png...
set -eu
out=$1
shift

# word VALUE BYTES: VALUE as an unsigned little-endian number of BYTES bytes.
word() {
    value=$1
    bytes=$2
    while [ "$bytes" -gt 0 ]; do
        # shellcheck disable=SC2059
        printf "\\$(printf %03o $((value % 256)))"
        value=$((value / 256))
        bytes=$((bytes - 1))
    done
}

{
    word 0 2
    word 1 2
    word $# 2
    offset=$((6 + 16 * $#))
    for picture; do
        size=${picture%%=*}
        length=$(wc -c <"${picture#*=}")
        # 256 pixels does not fit the byte of the width and height, and is written as 0.
        word $((size % 256)) 1
        word $((size % 256)) 1
        word 0 1
        word 0 1
        word 1 2
        word 32 2
        word "$length" 4
        word "$offset" 4
        offset=$((offset + length))
    done
    for picture; do
        cat "${picture#*=}"
    done
} >"$out.tmp"
mv "$out.tmp" "$out"
