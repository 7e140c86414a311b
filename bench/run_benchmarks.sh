#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/ under the repository root
# (or $OSTREL_BENCH_BUILD_DIR) and runs them. Needs the packages that
# scripts/setup.sh installs.
#
# Usage: bench/run_benchmarks.sh [NAME...] [-- ARGUMENT...]
#   NAME      run only these benchmarks (file names of bench/*.cpp without
#             .cpp, e.g. imaging_bench); default: every one
#   ARGUMENT  passed to every benchmark, e.g.
#             -- --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
# Exits non-zero when a benchmark fails to build or to run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTREL_BENCH_BUILD_DIR:-$here/build-bench}"

names=()
arguments=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then
    shift
    arguments=("$@")
    break
  fi
  names+=("$1")
  shift
done

if [ ${#names[@]} -eq 0 ]; then
  for source in "$here"/bench/*.cpp; do
    [ -e "$source" ] && names+=("$(basename "$source" .cpp)")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "run_benchmarks.sh: no benchmarks in $here/bench" >&2
  exit 1
fi
for name in "${names[@]}"; do
  if [ ! -f "$here/bench/$name.cpp" ]; then
    echo "run_benchmarks.sh: unknown benchmark: $name (no bench/$name.cpp)" >&2
    exit 1
  fi
done

# -U drops a folder subset or exclusion left in the cache by an earlier
# development configure: the benchmarks need the whole library.
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON -DOSTREL_TESTS=OFF \
  -UOSTREL_FOLDERS -UOSTREL_EXCLUDE >/dev/null
cmake --build "$build" --target "${names[@]}" -j"$(nproc)"

failed=()
for name in "${names[@]}"; do
  echo "=== $name ==="
  "$build/$name" "${arguments[@]}" || failed+=("$name")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "run_benchmarks.sh: failed: ${failed[*]}" >&2
  exit 1
fi
