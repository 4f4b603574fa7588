#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows program of the build under Wine, as CMake's emulator for cross-built tests:
# in a Wine prefix of the build's own, without Wine's debugging chatter, with the Qt
# libraries found in the Qt prefix given (and its plugins, which Qt finds beside them).
#   sh scripts/wine-run.sh QT_PREFIX PROGRAM.exe [ARGUMENT...]
set -e
qt=$1
shift
export WINEPREFIX="${QAV_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/qavmaker/wine-prefix}"
export WINEDEBUG=-all
# No dialogs offering to install Mono or Gecko, which no test needs.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:$(echo "$qt/bin" | tr / '\\')"
# The prefix is made once, by the first of the programs that may start at the same time.
mkdir -p "$(dirname "$WINEPREFIX")"
flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] ||
    { /usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1; /usr/lib/wine/wineserver --wait; }'
# Qt Test writes nothing to a standard output that is a pipe under Wine: a test's report goes
# to a file, and from there to standard output.
program=$1
shift
case "$(basename "$program")" in
tst_*.exe)
    log=$(mktemp "${TMPDIR:-/tmp}/qav-test.XXXXXXXX")
    trap 'rm -f "$log"' EXIT INT TERM HUP
    status=0
    /usr/lib/wine/wine64 "$program" -o "Z:$(echo "$log" | tr / '\\'),txt" "$@" || status=$?
    cat "$log"
    exit $status
    ;;
esac
exec /usr/lib/wine/wine64 "$program" "$@"
