#!/usr/bin/env bash
# Builds the release preset and measures the tutor against floors in the same
# run: each measure is a median over BENCH_RUNS runs (9 unless set), divided by
# the median of its floor. Prints one table; the last line names the worst
# ratio. The window measures run on their own X server (Xvfb).
#   ./scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh bench >&2
bin=build-release/benchmarks
runs=${BENCH_RUNS:-9}

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.1
done
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$HOME" "$XDG_RUNTIME_DIR"

# A measure whose program fails, or prints no measure, ends the run: its
# time must not go into a median.
fail() {
    echo "bench: $1" >&2
    [[ -s $work/stderr ]] && cat "$work/stderr" >&2
    exit 1
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

rows=()
# row MEASURE PROGRAM FLOOR UNIT
row() { rows+=("$1|$2|$3|$4"); }

# Text files of send-file lines (CR LF), and a sparse gigabyte with such text
# at its end: the viewers read only what they show.
line='RESPONSE -->  The first period gave 3 dollars per month; the second 3.6.'
text() { yes "$line"$'\r' | head -c "$2" >"$1" || true; }
text "$work/256K" 256K
text "$work/1M" 1M
text "$work/4M" 4M
text "$work/5M" 5M
text "$work/50M" 50M
truncate -s 1G "$work/1G"
yes "$line"$'\r' | head -c 5M >>"$work/1G" || true

# paired MEASURE COMMAND...: runs COMMAND with "program", then with "floor",
# BENCH_RUNS times; each run prints ms=... rss_kb=...; adds the two rows.
paired() {
    local name=$1 side out
    shift
    : >"$work/program.ms" >"$work/program.kb" >"$work/floor.ms" >"$work/floor.kb"
    for _ in $(seq "$runs"); do
        for side in program floor; do
            out=$("$@" "$side" 2>"$work/stderr") || fail "$name: the $side failed with status $?"
            [[ $out =~ ms=([0-9.]+)\ rss_kb=([0-9]+) ]] || fail "$name: the $side printed no measure: $out"
            echo "${BASH_REMATCH[1]}" >>"$work/$side.ms"
            echo "${BASH_REMATCH[2]}" >>"$work/$side.kb"
        done
    done
    row "$name: time" "$(median <"$work/program.ms")" "$(median <"$work/floor.ms")" ms
    row "$name: peak memory" "$(median <"$work/program.kb")" "$(median <"$work/floor.kb")" KB
}

# A viewer pressed in the real window, or the floor done in the same window.
viewer() { "$bin/viewer_window" "$3" "$1" "$2"; }
paired "send file 1 MB" viewer send "$work/1M"
paired "send file 4 MB (the limit)" viewer send "$work/4M"
paired "send file 5 MB (end shown)" viewer send "$work/5M"
paired "send file 50 MB (end shown)" viewer send "$work/50M"
paired "send file 1 GB sparse (end shown)" viewer send "$work/1G"
paired "notes 256 KB (the limit)" viewer notes "$work/256K"
paired "notes 1 MB (end shown)" viewer notes "$work/1M"

# Start-up to the first input box against a bare QInputDialog program.
startup() {
    if [[ $1 == program ]]; then "$bin/first_window" build-release/calctutor; else "$bin/first_window" "$bin/bare_input_dialog"; fi
}
paired "start-up to the first input box" startup

# The logic with Google Benchmark: each measure times the program and its
# floor in turn and reports the medians as the counters program_ms and floor_ms.
QT_QPA_PLATFORM=offscreen "$bin/logic_benchmarks" --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>"$work/stderr" >"$work/logic.csv" ||
    fail "logic_benchmarks failed with status $?"
# A run that skipped with an error still exits 0; its row says so.
if errors=$(grep -E ',"?true"?,' "$work/logic.csv"); then
    fail "logic_benchmarks reported errors: $errors"
fi
counters() { # MEASURE: "program floor", the medians over the repetitions
    awk -F, -v m="$1" 'NR == 1 { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); c[$i] = i } next }
        { n = $1; gsub(/"/, "", n) }
        n ~ "^" m "/" && n ~ /_median$/ { print $c["program_ms"], $c["floor_ms"] }' "$work/logic.csv"
}
for measure in enter_response_1KB enter_response_100MB enter_response_crash_safe_1KB tick_after_1e5_circles \
    course_load walk_all_stops; do
    case $measure in
        enter_response_1KB) title="Enter Response, 1 KB files, vs two raw write+fsync" ;;
        enter_response_100MB) title="Enter Response, 100 MB files, vs two raw write+fsync" ;;
        enter_response_crash_safe_1KB)
            title="Enter Response, 1 KB files, vs the same two appends between an intent record written and emptied, every step flushed" ;;
        tick_after_1e5_circles) title="timer tick after 10^5 circles vs the first ticks" ;;
        course_load) title="course load vs reading the course and cutting its lines" ;;
        walk_all_stops) title="walking all stops vs copying every entry" ;;
    esac
    read -r program floor <<<"$(counters "$measure")"
    [[ -n $program && -n $floor ]] || fail "logic_benchmarks measured no $measure"
    row "$title" "$program" "$floor" ms
done

echo "| measure | program | floor | ratio |"
echo "|---|---:|---:|---:|"
worst=0
worst_name=""
for entry in "${rows[@]}"; do
    IFS='|' read -r name program floor unit <<<"$entry"
    ratio=$(awk -v p="$program" -v f="$floor" 'BEGIN { printf "%.2f", (f > 0) ? p / f : 0 }')
    shown() { awk -v v="$1" -v u="$unit" 'BEGIN { if (u == "KB") printf "%.1f MB", v / 1024; else printf "%.4g ms", v }'; }
    printf '| %s | %s | %s | %s |\n' "$name" "$(shown "$program")" "$(shown "$floor")" "$ratio"
    if awk -v r="$ratio" -v w="$worst" 'BEGIN { exit !(r > w) }'; then
        worst=$ratio
        worst_name=$name
    fi
done
echo "bench: worst ratio $worst ($worst_name)"
