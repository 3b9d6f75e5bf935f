#!/usr/bin/env bash
# Writes pages and checks them: "tidy" runs Debian's HTML checker over every
# page and wants no word from it; "browser" opens them in headless Chromium
# (browser-check.py). The pages are the hand-made class's (SAMPLE_TOOL DIR),
# or with "generated" a class from the generator, reported by calctutor-report
# with --csv as well, whose tables the browser's DOM must equal.
#   check-pages.sh tidy|browser SAMPLE_TOOL
#   check-pages.sh generated GENERATOR REPORT
set -euo pipefail
mode=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/calctutor-pages.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
site=$scratch/html
if [[ $mode == generated ]]; then
    "$2" --out "$scratch/class" --students 24 --seed 7 --roster "$scratch/roster.txt" >/dev/null
    echo "On The Roster Only" >>"$scratch/roster.txt"
    status=0
    "$3" --quiet --roster "$scratch/roster.txt" --csv "$scratch/csv" --html "$site" "$scratch/class" || status=$?
    if ((status > 1)); then
        echo "calctutor-report failed with status $status"
        exit 1
    fi
    exec python3 "$(dirname "$0")/browser-check.py" "$site" --csv "$scratch/csv" --pages 4
fi
"$2" "$site"

case $mode in
tidy)
    found=0
    while IFS= read -r -d '' page; do
        # -errors -q: only errors and warnings, nothing when the page is clean.
        if ! report=$(tidy -errors -q "$page" 2>&1) || [[ -n $report ]]; then
            echo "${page#"$site"/}:"
            echo "$report"
            found=1
        fi
    done < <(find "$site" -name '*.html' -print0)
    pages=$(find "$site" -name '*.html' | wc -l)
    echo "tidy: $pages pages checked"
    exit $found
    ;;
browser)
    exec python3 "$(dirname "$0")/browser-check.py" "$site" --pages 5 \
        --text "<script>document.title='owned'</script>?" \
        --text "<img src=x onerror=\"document.title='owned'\">?" \
        --text "</table></td></tr><h1>out</h1>?" \
        --text "<a href=\"javascript:alert(1)\">click</a>?" \
        --text "{{#asks}}{{{style}}}{{/asks}}?"
    ;;
*)
    echo "usage: $0 tidy|browser SAMPLE_TOOL, or $0 generated GENERATOR REPORT" >&2
    exit 2
    ;;
esac
