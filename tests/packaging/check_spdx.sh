#!/bin/sh
# SPDX-License-Identifier: MIT
# Every source file the repository tracks names its licence in an SPDX line among its first
# three lines: C++ sources and headers, CMake files, scripts (and any executable file),
# desktop entries, AppStream data and manual pages.
#   sh check_spdx.sh SOURCE_FOLDER
set -eu
cd "$1"
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git checkout: skipped"; exit 77; }

sources() {
    git ls-files -- '*.cpp' '*.h' '*CMakeLists.txt' '*.cmake' '*.sh' '*.py' '*.desktop' \
        '*.xml' '*.xml.in' '*.1' '*.1.in' '*.h2m'
    git ls-files -s | awk '$1 == "100755" { print $4 }'
}

checked=0
missing=""
for f in $(sources | sort -u); do
    [ -f "$f" ] || continue
    checked=$((checked + 1))
    head -n 3 "$f" | grep -q 'SPDX-License-Identifier: MIT' || missing="$missing
  $f"
done
if [ -n "$missing" ]; then
    echo "FAIL: no line 'SPDX-License-Identifier: MIT' near the top of:$missing"
    echo "SPDX lines: 0 passed, 1 failed"
    exit 1
fi
echo "SPDX lines in $checked source files"
echo "SPDX lines: 1 passed, 0 failed"
