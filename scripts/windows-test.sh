#!/usr/bin/env bash
# Cross-builds the tutor's logic, its GoogleTest suite (the instructor's report's
# tests among them), calctutor-course and calctutor-report (without zip support) for
# 64-bit Windows with mingw-w64 (the "windows" preset, into build-windows/) and
# runs them through ctest under Wine in a fresh, temporary Wine prefix. Installs
# the Debian 12 packages that are missing. The last line it prints is
#   windows: N passed, M failed
# counting ctest's tests (the whole GoogleTest suite is one), and it exits with
# status 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++-mingw-w64-x86-64-posix wine64 googletest libkainjow-mustache-dev)
./scripts/install-missing.sh "${packages[@]}"

# Debian keeps Wine's 64-bit loader and GoogleTest's sources off the usual paths.
wine=""
while read -r file; do
    if [[ $(basename "$file") == wine64 && -f $file && -x $file ]]; then
        wine=$file
        break
    fi
done < <(dpkg -L wine64)
gtest_source=$(dpkg -L googletest | grep '/CMakeLists.txt$' | awk '{ print length, $0 }' | sort -n | head -1 | cut -d' ' -f2-)
if [[ -z $wine || -z $gtest_source ]]; then
    echo "windows-test: wine64's loader or GoogleTest's sources were not found" >&2
    exit 2
fi

# ctest runs each test program under Wine, the build's cross-compiling emulator.
cmake --preset windows -DCALCTUTOR_GTEST_SOURCE="$(dirname "$gtest_source")" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine"
cmake --build --preset windows --target logic_tests calctutor-course calctutor-report

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/calctutor-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
wineserver="$(dirname "$wine")/wineserver"
results=$(mktemp)
cleanup() {
    [[ -x $wineserver ]] && "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$results"
}
trap cleanup EXIT

# Verbose, so that the reason of each skipped case shows in the log.
echo "== the tests under Wine (the first start of a prefix takes about 10 s)"
status=0
ctest --test-dir build-windows --verbose --no-tests=error --output-junit "$results" || status=$?

# ctest judges each test program by its exit status; its JUnit report counts them.
total=$(grep -c '<testcase ' "$results" || true)
passed=$(grep -c '<testcase [^>]*status="run"' "$results" || true)
failed=$((total - passed))
if ((status != 0 && failed == 0)); then
    echo "windows-test: ctest failed with exit status $status"
    failed=1
fi
echo "windows: $passed passed, $failed failed"
((failed == 0))
