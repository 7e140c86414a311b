#!/usr/bin/env bash
# Builds the libFuzzer harnesses (fuzz/CMakeLists.txt) and runs each on its
# seed corpus under AddressSanitizer and UndefinedBehaviorSanitizer.
#   fuzz/run.sh ci        about 15 s per harness, about a minute in all
#   fuzz/run.sh release   until 10^6 runs per harness (or 2 h each)
#   fuzz/run.sh release xml_reader tiff    only the named harnesses
# A crash, leak, hang (30 s per input, wall clock: a loaded machine is slow) or a run above 2 GB ends the script
# with a non-zero status; libFuzzer leaves the input in crash-*, leak-*,
# timeout-* or oom-* in the working corpus folder named below. Inputs that
# found new coverage stay in that folder (under the build folder, not the
# repository), so later runs start from them.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${OSTREL_FUZZ_BUILD_DIR:-$here/build}"
# Absolute: the harnesses change their working folder, and libFuzzer reads
# the corpus files after the first input has run.
mkdir -p "$build"
build="$(cd "$build" && pwd)"
mode="${1:-ci}"
shift || true
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then harnesses=(xml_reader configuration tiff contact_frames); fi

case "$mode" in
  ci) limits=(-max_total_time=15) ;;
  # Long runs give inputs that run fast more turns than slow ones (a crowded
  # scenario can take seconds under the sanitizers), which multiplies the
  # executions an hour brings without dropping any input from the corpus.
  release) limits=(-runs=1000000 -max_total_time=7200 -entropic_scale_per_exec_time=1) ;;
  *) echo "usage: $0 [ci|release] [harness ...]" >&2; exit 2 ;;
esac

# OSTREL_FUZZ_PREBUILT=1: the harnesses are already in the build folder (a
# main build configured with -DOSTREL_FUZZ=ON, as CI makes it).
if [ -z "${OSTREL_FUZZ_PREBUILT:-}" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j"${OSTREL_FUZZ_JOBS:-2}" >/dev/null
fi

# The harnesses write their inputs to files; memory is faster than a disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
for harness in "${harnesses[@]}"; do
  corpus="$build/corpus/$harness"
  artifacts="$build/artifacts/$harness/"
  mkdir -p "$corpus" "$artifacts"
  echo "== fuzz_$harness ($mode)"
  if ! (cd "$build" && "./fuzz_$harness" "${limits[@]}" -timeout=30 -rss_limit_mb=2048 \
          -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus" "$here/seeds/$harness" \
          2>"$build/fuzz_$harness.log"); then
    echo "fuzz_$harness failed; see $build/fuzz_$harness.log and $artifacts" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz_$harness.log" || true
done
exit $status
