#!/usr/bin/env bash
# Writes the pages of the hand-made class with the sample tool, then checks
# them: "tidy" runs Debian's HTML checker over every page and wants no word
# from it; "browser" opens them in headless Chromium (browser-check.py).
#   check-pages.sh tidy|browser SAMPLE_TOOL
set -euo pipefail
mode=$1
tool=$2
site=$(mktemp -d "${TMPDIR:-/tmp}/calctutor-pages.XXXXXX")
trap 'rm -rf "$site"' EXIT
"$tool" "$site"

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
    echo "usage: $0 tidy|browser SAMPLE_TOOL" >&2
    exit 2
    ;;
esac
