#!/usr/bin/env bash
# Cross-builds the tutor's logic, its GoogleTest suite (the instructor's report's
# tests among them), calctutor-course and calctutor-report (without zip support) for
# 64-bit Windows with mingw-w64 (the "windows" preset, into build-windows/) and
# runs them under Wine in a fresh, temporary Wine prefix. Installs the Debian 12
# packages that are missing. The last line it prints is
#   windows: N passed, M failed
# and it exits with status 1 when anything failed.
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

cmake --preset windows -DCALCTUTOR_GTEST_SOURCE="$(dirname "$gtest_source")"
cmake --build --preset windows --target logic_tests calctutor-course calctutor-report

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/calctutor-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
wineserver="$(dirname "$wine")/wineserver"
cleanup() {
    [[ -x $wineserver ]] && "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

passed=0
failed=0
skipped=0

echo "== logic_tests.exe under Wine (the first start of a prefix takes about 10 s)"
log=$(mktemp)
status=0
# A case that waits for ever must not stop CI.
timeout 900 "$wine" build-windows/tests/logic_tests.exe 2>&1 | tr -d '\r' | tee "$log" || status=$?
# A case's own result lines carry its time: "[       OK ] Suite.Case (12 ms)".
passed=$((passed + $(grep -cE '^\[       OK \] .* \([0-9]+ ms\)$' "$log" || true)))
failed_cases=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' "$log" || true)
skipped=$(grep -cE '^\[  SKIPPED \] .* \([0-9]+ ms\)$' "$log" || true)
failed=$((failed + failed_cases))
if ! grep -qE '^\[==========\] [0-9]+ tests? from .* ran' "$log"; then
    echo "windows-test: logic_tests.exe did not finish (exit status $status)"
    failed=$((failed + 1))
elif ((status != 0 && failed_cases == 0)); then
    echo "windows-test: logic_tests.exe failed with exit status $status"
    failed=$((failed + 1))
fi
rm -f "$log"

echo "== calctutor-course.exe check under Wine"
if "$wine" build-windows/calctutor-course.exe check 2>&1 | tr -d '\r'; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

echo "== calctutor-report.exe under Wine: help, an empty class, a zip archive named as unread"
report_work=$(mktemp -d)
report_ok=1
"$wine" build-windows/calctutor-report.exe --help 2>&1 | tr -d '\r' | grep -q "reads no zip archives" || report_ok=0
"$wine" build-windows/calctutor-report.exe --quiet "$report_work" >/dev/null 2>&1 || report_ok=0
touch "$report_work/class.zip"
status=0
output=$("$wine" build-windows/calctutor-report.exe "$report_work" 2>&1 | tr -d '\r') || status=$?
grep -q "class.zip: this build reads no zip archives" <<<"$output" || report_ok=0
if ((report_ok)); then
    passed=$((passed + 1))
else
    echo "windows-test: calctutor-report.exe did not print its help, read an empty class or name the zip archive"
    echo "$output"
    failed=$((failed + 1))
fi
rm -rf "$report_work"

if ((skipped > 0)); then
    echo "windows: $skipped skipped, each with its reason printed above the case's SKIPPED line"
fi
echo "windows: $passed passed, $failed failed"
((failed == 0))
