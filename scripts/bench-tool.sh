#!/usr/bin/env bash
# Times bezierlab-report and prints the figures of the README's table:
#   - process time of a text report, --png and --svg, each against a bare
#     QCoreApplication program timed in the same run (hyperfine, medians);
#   - --batch over 10,000 lines: the cost per state, start-up taken out
#     (10,000 lines minus 0 lines), against the same states' scene and JSON
#     computed in process (Google Benchmark, median of five repetitions);
#   - with REDRAW_BEFORE=<path of an older redraw_bench>, the full redraw
#     now and then.
# Needs hyperfine and a Release build in build/ (scripts/build.sh). Not a
# test: the figures depend on the machine and on what else runs on it.
#
#   scripts/bench-tool.sh          RUNS=50 by default; BATCH_LINES=10000
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${RUNS:-50}"
lines="${BATCH_LINES:-10000}"
build=build
command -v hyperfine >/dev/null || { echo "bench-tool.sh: hyperfine is not installed" >&2; exit 1; }
[ -f "$build/build.ninja" ] || scripts/build.sh
cmake --build "$build" --target bezierlab-report bare_qcoreapp report_bench redraw_bench -j2 >/dev/null

tool="$PWD/$build/cli/bezierlab-report"
bare="$PWD/$build/bench/bare_qcoreapp"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The medians of a hyperfine export, in seconds, one per command in order.
medians() { awk -F': ' '/"median"/ { sub(/,$/, "", $2); print $2 }' "$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.2f ms", s * 1000 }'; }
us() { awk -v s="$1" 'BEGIN { printf "%.1f µs", s * 1e6 }'; }

echo "== process times, medians of $runs runs"
hyperfine -N --style none --warmup 10 --runs "$runs" --export-json "$work/start.json" \
  "$bare" "$tool" "$tool --png $work/a.png" "$tool --svg $work/a.svg" \
  "$tool --png $work/b.png --svg $work/b.svg" >/dev/null
mapfile -t m < <(medians "$work/start.json")
printf '%-34s %10s\n' "bare QCoreApplication" "$(ms "${m[0]}")"
printf '%-34s %10s  %sx  (limit 2.5x)\n' "text report" "$(ms "${m[1]}")" "$(ratio "${m[1]}" "${m[0]}")"
printf '%-34s %10s  %sx  (limit 4x)\n' "--png" "$(ms "${m[2]}")" "$(ratio "${m[2]}" "${m[0]}")"
printf '%-34s %10s  %sx  (limit 4x)\n' "--svg" "$(ms "${m[3]}")" "$(ratio "${m[3]}" "${m[0]}")"
printf '%-34s %10s  %sx  (limit 4x)\n' "--png --svg" "$(ms "${m[4]}")" \
  "$(ratio "${m[4]}" "${m[0]}")"

echo "== --batch, $lines states, medians of $runs runs"
"$build/bench/report_bench" --write-batch-input "$lines" >"$work/states.txt"
: >"$work/none.txt"
hyperfine --style none --warmup 2 --runs "$runs" --export-json "$work/batch.json" \
  "$tool --batch < $work/states.txt > /dev/null" "$tool --batch < $work/none.txt > /dev/null" \
  >/dev/null
mapfile -t b < <(medians "$work/batch.json")
per_line=$(awk -v full="${b[0]}" -v empty="${b[1]}" -v n="$lines" \
  'BEGIN { print (full - empty) / n }')
in_process=$("$build/bench/report_bench" --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"?,/ { print $3 / 1e6 }')
printf '%-34s %10s\n' "in process: scene and JSON" "$(us "$in_process")"
printf '%-34s %10s  %sx  (limit 2x)\n' "--batch, per state" "$(us "$per_line")" \
  "$(ratio "$per_line" "$in_process")"

if [ -n "${REDRAW_BEFORE:-}" ]; then
  echo "== full redraw (offscreen), median of five repetitions"
  redraw() {
    QT_QPA_PLATFORM=offscreen "$1" --benchmark_format=csv 2>/dev/null |
      awk -F, '/_median"?,/ { print $3 / 1e6 }'
  }
  before=$(redraw "$REDRAW_BEFORE")
  now=$(redraw "$build/bench/redraw_bench")
  printf '%-34s %10s\n' "before" "$(us "$before")"
  printf '%-34s %10s  %sx  (limit 1.1x)\n' "now" "$(us "$now")" "$(ratio "$now" "$before")"
fi
