#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and fuzzes each for a
# bounded time over a copy of its seeds, which stay as they are: the geometry
# (fuzz/corpus), the report tool's option and batch-line reading
# (fuzz/corpus-report), state files and pasted text (fuzz/corpus-state) and
# what the page takes: a link, a paste, a file (fuzz/corpus-page).
# The time is shared between them. Fails on any crash,
# sanitizer report, timeout, leak or broken property; the failing input is
# kept under build-fuzz/fuzz-artifacts/ and printed in hex.
#
#   scripts/fuzz.sh [SECONDS]     default 60 in all, or $FUZZ_SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${FUZZ_SECONDS:-60}}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]] || [ "$seconds" -lt 4 ]; then
  echo "fuzz.sh: the fuzzing time must be a number of seconds from 4 up, not '$seconds'" >&2
  exit 2
fi

scripts/setup.sh
for tool in clang clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is not installed" >&2; exit 1; }
done

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DBEZIERLAB_FUZZ=ON -DBUILD_TESTING=OFF \
  -DBEZIERLAB_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target geometry_fuzz report_fuzz state_fuzz page_fuzz -j2

artifacts="$PWD/build-fuzz/fuzz-artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# fuzz TARGET SEEDS SECONDS MAX_LEN [OPTIONS...]: one bounded run; 0 when it
# found nothing.
fuzz() {
  local target="$1" seeds="$2" time="$3" max_len="$4" status=0
  shift 4
  mkdir -p "$work/$target" "$artifacts/$target"
  cp "$seeds"/* "$work/$target/"
  "build-fuzz/fuzz/$target" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$max_len" -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target/" "$@" "$work/$target" || status=$?
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts/$target")" ]; then
    echo "fuzz.sh: $target failed (exit status $status)" >&2
    for f in "$artifacts/$target"/*; do
      [ -e "$f" ] || continue
      echo "$(basename "$f"): $(od -An -v -tx1 "$f" | tr -d ' \n')" >&2
    done
    return 1
  fi
}

quarter=$((seconds / 4))
failed=0
fuzz geometry_fuzz fuzz/corpus "$((seconds - 3 * quarter))" 64 || failed=1
fuzz report_fuzz fuzz/corpus-report "$quarter" 256 -dict=fuzz/report.dict || failed=1
fuzz state_fuzz fuzz/corpus-state "$quarter" 1024 -dict=fuzz/state.dict || failed=1
fuzz page_fuzz fuzz/corpus-page "$quarter" 1024 -dict=fuzz/page.dict || failed=1
[ "$failed" -eq 0 ] || exit 1
echo "fuzz.sh: no findings in $seconds s"
