#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds calctutor, then starts the
# tutor ("run"), runs the whole test suite and builds the release preset
# ("test"), or only builds the release preset for scripts/bench.sh ("bench").
set -euo pipefail
cd "$(dirname "$0")/.."

action=${1:-}
if [[ "$action" != run && "$action" != test && "$action" != bench ]]; then
    echo "usage: $0 run|test|bench" >&2
    exit 2
fi

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core
          libzip-dev libcli11-dev nlohmann-json3-dev # calctutor-report: zip archives, options, JSON,
          libkainjow-mustache-dev                    # its pages' templates
          libjemalloc-dev)                           # and a faster allocator for its many small strings
if [[ "$action" == test ]]; then
    packages+=(locales                                    # a decimal-comma language for the number tests
               desktop-file-utils appstream dpkg-dev file # validate the desktop files, build the .deb
               clang-format clang-tidy                    # scripts/lint.sh
               python3                                    # the report's tests read its CSV files
               tidy chromium)                             # check the instructor's pages
fi
if [[ "$action" == bench ]]; then
    packages+=(xvfb libx11-dev # the window measures run on their own X server
               time                # the report's peak memory
               chromium)           # the class page in a browser
fi
./scripts/install-missing.sh "${packages[@]}"

# A build folder configured by an older checkout with another generator
# (Make) cannot be reconfigured with Ninja: its cache is dropped, not its files.
configure() { # PRESET FOLDER
    if [[ -f $2/CMakeCache.txt ]] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$2/CMakeCache.txt"; then
        rm -rf "$2/CMakeCache.txt" "$2/CMakeFiles"
    fi
    cmake --preset "$1"
}

release() {
    configure release build-release
    cmake --build --preset release
}
if [[ "$action" == bench ]]; then
    release
    exit 0
fi

configure default build
cmake --build --preset default

if [[ "$action" == run ]]; then
    exec ./build/calctutor
fi
QT_QPA_PLATFORM=offscreen ctest --preset default
release
