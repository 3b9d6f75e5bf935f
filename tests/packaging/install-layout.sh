#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that a desktop finds the
# program there: both programs in bin/, the desktop entry, metainfo and icon in
# share/, and the names that tie them together agree with each other.
#   usage: install-layout.sh BUILD_DIR APP_ID VERSION
set -uo pipefail

build=$1 id=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

failures=0
check() { # check NAME COMMAND...: runs the command, reports the named check when it fails
    local name=$1
    shift
    if ! "$@" >/dev/null 2>&1; then
        echo "FAIL: $name" >&2
        failures=$((failures + 1))
    fi
}
value() { # value KEY FILE: the value of KEY= in the desktop entry's main group
    sed -n "s/^$1=//p" "$2" | head -n 1
}

if ! cmake --install "$build" --prefix "$prefix" >/dev/null; then
    echo "FAIL: cmake --install" >&2
    exit 1
fi

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
icon=$prefix/share/icons/hicolor/scalable/apps/$id.svg

check "calctutor is installed in bin/ and can be run" test -x "$prefix/bin/calctutor"
check "calctutor-course is installed in bin/ and can be run" test -x "$prefix/bin/calctutor-course"
check "calctutor-report is installed in bin/ and can be run" test -x "$prefix/bin/calctutor-report"
check "the desktop entry is installed" test -f "$desktop"
check "the metainfo is installed" test -f "$metainfo"
check "the icon is installed" test -f "$icon"
if ((failures)); then
    echo "$failures installed file(s) missing" >&2
    exit 1
fi

program=$(value Exec "$desktop")
program=${program%% *}
check "the desktop entry starts a program that is installed" test -n "$program" -a -f "$prefix/bin/$program"
check "the desktop entry names the installed icon" test "$(value Icon "$desktop")" = "$id"
check "the icon is an SVG drawing" grep -q "<svg" "$icon"

check "the metainfo carries the program's id" grep -q "<id>$id</id>" "$metainfo"
check "the metainfo launches the installed desktop entry" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
latest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
check "the metainfo's latest release is the project's version ($version, not '$latest')" test "$latest" = "$version"
for binary in $(sed -n 's/.*<binary>\([^<]*\)<\/binary>.*/\1/p' "$metainfo"); do
    check "the metainfo's binary $binary is installed" test -x "$prefix/bin/$binary"
done

check "the installed calctutor-course finds the built-in course sound" "$prefix/bin/calctutor-course" check
check "the installed calctutor-report prints its help" "$prefix/bin/calctutor-report" --help

if ((failures)); then
    echo "$failures check(s) of the installed layout failed" >&2
    exit 1
fi
echo "the installed layout is complete"
