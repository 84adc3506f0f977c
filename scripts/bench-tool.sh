#!/usr/bin/env bash
# Times bezierlab-report and prints the figures of the README's table:
#   - process time of the text report against a bare C++ program that prints
#     the same bytes (goal 2x) and against a bare QCoreApplication program;
#     --png, --svg, both, and --plot against the text report (medians, all
#     timed in the same run: hyperfine -N when it is installed, else a loop
#     of this shell's own clock);
#   - with TOOL_BEFORE=<path of an older bezierlab-report>, its text report
#     and --png in the same run;
#   - --batch over 10,000 lines: the cost per state, start-up taken out
#     (10,000 lines minus 0 lines), against the same states' scene and JSON
#     computed in process (Google Benchmark, median of five repetitions);
#   - with REDRAW_BEFORE=<path of an older redraw_bench>, the full redraw
#     now and then.
# Needs a Release build in build/ (scripts/build.sh). Not a test: the figures
# depend on the machine and on what else runs on it.
#
#   scripts/bench-tool.sh          RUNS=50 by default; BATCH_LINES=10000
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${RUNS:-50}"
lines="${BATCH_LINES:-10000}"
build=build
[ -f "$build/build.ninja" ] || scripts/build.sh
cmake --build "$build" --target bezierlab-report bezierlab-report-pictures bare_qcoreapp \
  bare_print report_bench redraw_bench -j2 >/dev/null

tool="$PWD/$build/cli/bezierlab-report"
bare="$PWD/$build/bench/bare_qcoreapp"
print="$PWD/$build/bench/bare_print"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.2f ms", s * 1000 }'; }
us() { awk -v s="$1" 'BEGIN { printf "%.1f µs", s * 1e6 }'; }

# The median process time of each command, in seconds, one line per command
# in order. With hyperfine: -N (no shell) unless SHELL_NEEDED is set; else
# each command is run by this shell, timed by its own clock (EPOCHREALTIME).
medians() {
  local warmup=$1
  shift
  if command -v hyperfine >/dev/null; then
    local no_shell=(-N)
    [ -n "${SHELL_NEEDED:-}" ] && no_shell=()
    hyperfine "${no_shell[@]}" --style none --warmup "$warmup" --runs "$runs" \
      --export-json "$work/times.json" "$@" >/dev/null
    awk -F': ' '/"median"/ { sub(/,$/, "", $2); print $2 }' "$work/times.json"
    return
  fi
  local command i start
  for command in "$@"; do
    for ((i = 0; i < warmup; i++)); do eval "$command" >/dev/null 2>&1 || true; done
    for ((i = 0; i < runs; i++)); do
      start=$EPOCHREALTIME
      eval "$command" >/dev/null 2>&1 || true
      awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }'
    done | sort -g | awk '{ t[NR] = $1 } END { print NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
  done
}

if command -v hyperfine >/dev/null; then
  echo "== process times, medians of $runs runs (hyperfine -N)"
else
  echo "== process times, medians of $runs runs (hyperfine is not installed: timed by bash)"
fi
report="$("$tool")"
commands=("$print '$report'" "$bare" "$tool" "$tool --png $work/a.png" "$tool --svg $work/a.svg"
  "$tool --png $work/b.png --svg $work/b.svg" "$tool --plot $work/p.png")
[ -n "${TOOL_BEFORE:-}" ] && commands+=("$TOOL_BEFORE" "$TOOL_BEFORE --png $work/c.png")
mapfile -t m < <(medians 10 "${commands[@]}")
printf '%-34s %10s\n' "bare C++ program, same bytes" "$(ms "${m[0]}")"
printf '%-34s %10s\n' "bare QCoreApplication" "$(ms "${m[1]}")"
printf '%-34s %10s  %sx the bare C++ program (goal 2x), %sx QCoreApplication\n' "text report" \
  "$(ms "${m[2]}")" "$(ratio "${m[2]}" "${m[0]}")" "$(ratio "${m[2]}" "${m[1]}")"
printf '%-34s %10s  %sx the text report\n' "--png" "$(ms "${m[3]}")" "$(ratio "${m[3]}" "${m[2]}")"
printf '%-34s %10s  %sx the text report\n' "--svg" "$(ms "${m[4]}")" "$(ratio "${m[4]}" "${m[2]}")"
printf '%-34s %10s  %sx the text report\n' "--png --svg" "$(ms "${m[5]}")" \
  "$(ratio "${m[5]}" "${m[2]}")"
printf '%-34s %10s  %sx the text report\n' "--plot (PNG)" "$(ms "${m[6]}")" \
  "$(ratio "${m[6]}" "${m[2]}")"
if [ -n "${TOOL_BEFORE:-}" ]; then
  printf '%-34s %10s  %sx the text report now\n' "before: text report" "$(ms "${m[7]}")" \
    "$(ratio "${m[7]}" "${m[2]}")"
  printf '%-34s %10s  %sx --png now\n' "before: --png" "$(ms "${m[8]}")" \
    "$(ratio "${m[8]}" "${m[3]}")"
fi

echo "== --batch, $lines states, medians of $runs runs"
"$build/bench/report_bench" --write-batch-input "$lines" >"$work/states.txt"
: >"$work/none.txt"
mapfile -t b < <(SHELL_NEEDED=1 medians 2 "$tool --batch < $work/states.txt > /dev/null" \
  "$tool --batch < $work/none.txt > /dev/null")
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
