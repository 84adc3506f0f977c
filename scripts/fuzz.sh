#!/usr/bin/env bash
# Builds the geometry fuzz target with clang into build-fuzz/ and fuzzes it for
# a bounded time over a copy of the seeds in fuzz/corpus, which stays as it is.
# Fails on any crash, sanitizer report, timeout, leak or broken property; the
# failing input is kept under build-fuzz/fuzz-artifacts/ and printed in hex.
#
#   scripts/fuzz.sh [SECONDS]     default 60, or $FUZZ_SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${FUZZ_SECONDS:-60}}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz.sh: the fuzzing time must be a positive number of seconds, not '$seconds'" >&2
  exit 2
fi

scripts/setup.sh
for tool in clang clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is not installed" >&2; exit 1; }
done

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DBEZIERLAB_FUZZ=ON -DBUILD_TESTING=OFF \
  -DBEZIERLAB_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target geometry_fuzz -j2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work/"
artifacts="$PWD/build-fuzz/fuzz-artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
build-fuzz/fuzz/geometry_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=64 -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/" \
  "$work" || status=$?

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts")" ]; then
  echo "fuzz.sh: the geometry fuzz target failed (exit status $status)" >&2
  for f in "$artifacts"/*; do
    [ -e "$f" ] || continue
    echo "$(basename "$f"): $(od -An -v -tx1 "$f" | tr -d ' \n')" >&2
  done
  exit 1
fi
echo "fuzz.sh: no findings in $seconds s"
