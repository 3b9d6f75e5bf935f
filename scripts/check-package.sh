#!/usr/bin/env bash
# Builds the .deb from build/, installs it with apt (which resolves its
# dependencies) and checks the installed program as a student's machine would
# start it: it must still be running after a few seconds, waiting in its first
# start-up question, with nothing on its error output. The package is removed
# again afterwards unless it was installed before.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --build build --target package
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
deb=./build/calctutor_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "FAIL: $deb was not built" >&2; exit 1; }

installed_before=false
dpkg-query -W -f='${Status}' calctutor 2>/dev/null | grep -q "install ok installed" && installed_before=true
home=$(mktemp -d)
runtime=$(mktemp -d)
cleanup() {
    rm -rf "$home" "$runtime"
    if [[ $installed_before == false ]]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y calctutor >/dev/null 2>&1 || true
    fi
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$deb"

app=io.github.calctutor.CalcTutor
for file in /usr/bin/calctutor /usr/bin/calctutor-course /usr/bin/calctutor-report /usr/share/applications/$app.desktop \
    /usr/share/metainfo/$app.metainfo.xml /usr/share/icons/hicolor/scalable/apps/$app.svg; do
    dpkg -L calctutor | grep -qx "$file" || fail "the package does not install $file"
done
if ldd /usr/bin/calctutor | grep -q "not found"; then
    fail "libraries of /usr/bin/calctutor are missing: $(ldd /usr/bin/calctutor | grep "not found" | tr -s '\t\n' ' ')"
fi
desktop-file-validate /usr/share/applications/$app.desktop || fail "the installed desktop entry is not valid"
/usr/bin/calctutor-course check >/dev/null || fail "the installed calctutor-course does not find the course sound"
if ldd /usr/bin/calctutor-report | grep -q "not found"; then
    fail "libraries of /usr/bin/calctutor-report are missing: $(ldd /usr/bin/calctutor-report | grep "not found" | tr -s '\t\n' ' ')"
fi
mkdir -p "$home/class"
/usr/bin/calctutor-report --quiet "$home/class" || fail "the installed calctutor-report does not read an empty class"

# The first start-up question is a modal box, so a sound start is a program
# that is still running. A fresh home keeps the tutor's default folder out of
# the real one; the offscreen platform's note about size hints is not an error.
chmod 700 "$runtime"
HOME=$home XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen timeout 10 /usr/bin/calctutor \
    </dev/null >"$home/out" 2>"$home/err" &
pid=$!
sleep 4
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" || true
else
    status=0
    wait "$pid" || status=$?
    fail "/usr/bin/calctutor ended at start with status $status"
fi
errors=$(grep -vx "This plugin does not support propagateSizeHints()" "$home/err" || true)
[[ -z $errors ]] || fail "/usr/bin/calctutor wrote errors at start: $errors"
[[ -d $home/tesmoril ]] || fail "/usr/bin/calctutor did not reach start-up (no default folder in its home)"

if ((failures)); then
    echo "$failures check(s) of the installed package failed" >&2
    exit 1
fi
echo "the installed package starts and waits for its first question"
