#!/usr/bin/env bash
# Runs the linters over the committed sources:
#   clang-format (.clang-format) over src/, tools/ and tests/;
#   clang-tidy (.clang-tidy) over src/, with the compile commands of a
#   configure-only build-lint/ where every file is compiled on its own (build/
#   compiles each target's files in batches, which clang-tidy cannot check).
#
#   scripts/lint.sh                 clang-format only reports the files it would change; clang-tidy must pass
#   scripts/lint.sh --format-check  clang-format must find nothing to change either
#   scripts/lint.sh --reformat      rewrites the files in place with clang-format, then runs clang-tidy
set -euo pipefail
cd "$(dirname "$0")/.."

format_mode=report
case ${1:-} in
"") ;;
--format-check) format_mode=check ;;
--reformat) format_mode=reformat ;;
*)
    echo "usage: $0 [--format-check | --reformat]" >&2
    exit 2
    ;;
esac

if ! configure=$(cmake -S . -B build-lint -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=OFF 2>&1); then
    echo "$configure" >&2
    echo "lint: cannot configure build-lint/ for clang-tidy (see above; ./scripts/setup.sh test installs what it needs)" >&2
    exit 2
fi

# Only files under version control: the Qt-generated sources (moc, resources)
# live in the build folders and are never linted.
mapfile -t format_files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h')
# clang-tidy sees only what this system compiles (not NativeFilesWindows.cpp,
# which the mingw-w64 build of scripts/windows-test.sh checks with -Werror).
tidy_files=()
while read -r file; do
    grep -qF "\"$PWD/$file\"" build-lint/compile_commands.json && tidy_files+=("$file")
done < <(git ls-files -- 'src/*.cpp')

status=0

if [[ $format_mode == reformat ]]; then
    clang-format -i "${format_files[@]}"
    echo "clang-format: rewrote ${#format_files[@]} files in place"
else
    unformatted=()
    for file in "${format_files[@]}"; do
        clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    if ((${#unformatted[@]} == 0)); then
        echo "clang-format: all ${#format_files[@]} files are formatted"
    elif [[ $format_mode == check ]]; then
        echo "clang-format: ${#unformatted[@]} of ${#format_files[@]} files need formatting:" >&2
        printf '  %s\n' "${unformatted[@]}" >&2
        echo "see the changes with: clang-format --dry-run FILE" >&2
        status=1
    else
        echo "clang-format (report only): ${#unformatted[@]} of ${#format_files[@]} files would change:"
        printf '  %s\n' "${unformatted[@]}"
    fi
fi

# One clang-tidy per file, two at a time; each prints its own findings and its
# own errors (a flag it does not know, a header it cannot find), without the
# count of warnings that it found in system headers and left out.
if printf '%s\0' "${tidy_files[@]}" | xargs -0 -n 1 -P 2 clang-tidy -p build-lint --quiet \
    2> >(grep -Ev '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' >&2); then
    echo "clang-tidy: no findings in ${#tidy_files[@]} files"
else
    echo "clang-tidy: findings above" >&2
    status=1
fi

exit $status
