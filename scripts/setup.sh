#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages the editor, its tests and its package need, and any further
# packages named as arguments, if any are missing. Works as root or through sudo.
#   sh scripts/setup.sh [PACKAGE...]
set -e
packages="cmake make g++ clang clang-format libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools fonts-liberation appstream desktop-file-utils git dpkg-dev file help2man man-db lintian shared-mime-info xdg-utils libfile-mimeinfo-perl locales libc-l10n qt6-wayland weston xvfb x11-utils xdotool $*"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
