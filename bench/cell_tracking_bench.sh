#!/usr/bin/env bash
# End-to-end benchmark of the cell-tracking example: generates a synthetic
# time-lapse (ostrel-synth, fixed seed; by default 100 frames of 1024 x 1024
# with 200 nuclei at the start) in a temporary folder, tracks it with
# examples/cells/track_cells.xml as shipped and once more with the greedy
# assignment (same nscan), and reports frames per second, peak memory and
# the time of each stage.
#
# The stages are timed by running the configuration cut short after each of
# them (reader only; + smoothing and background; + threshold and objects;
# + contacts; + tracker; + clean-up and lineage; full run with the
# writers) and taking differences, so the figures include
# nothing but the program itself. Wall time, cpu time (user + system; the
# steadier figure on a shared machine) and peak resident memory come from
# /usr/bin/time -v. The filter file's nominal_surveillance_area is set
# to the image area, as for any other image size.
#
# Usage: bench/cell_tracking_bench.sh [BUILD_DIR]
#   BUILD_DIR  folder holding ostrel and ostrel-synth (a Release build);
#              default $OSTREL_BUILD_DIR, else build/ under the repository
# The shipped configuration hands tracking and writing to a second thread
# (its prefetch stage); a last run with OSTREL_THREADS=1 shows one thread.
# Environment: BENCH_SIZE (1024), BENCH_CELLS (200), BENCH_FRAMES (100),
#   BENCH_SEED (11), BENCH_REPEAT (1: runs per configuration, the fastest
#   counts), BENCH_KEEP (set to keep the temporary folder).
# Exits non-zero when a tool is missing or a run reports an error.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${OSTREL_BUILD_DIR:-$here/build}}"
ostrel="$build/ostrel"
synth="$build/ostrel-synth"
size="${BENCH_SIZE:-1024}"
cells="${BENCH_CELLS:-200}"
frames="${BENCH_FRAMES:-100}"
seed="${BENCH_SEED:-11}"
repeat="${BENCH_REPEAT:-1}"
config="$here/examples/cells/track_cells.xml"
filters="$here/examples/filters/cell_tracking_position_2d.xml"

for tool in "$ostrel" "$synth" /usr/bin/time; do
  if [ ! -x "$tool" ]; then
    echo "cell_tracking_bench.sh: missing $tool (build ostrel and ostrel-synth first)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
if [ -z "${BENCH_KEEP:-}" ]; then
  trap 'rm -rf "$work"' EXIT
else
  echo "keeping $work"
fi
# Output folders that exist already are moved into the trash: keep it here.
export XDG_DATA_HOME="$work/data"

echo "generating $frames frames of $size x $size with $cells nuclei (seed $seed) ..."
"$synth" --seed "$seed" --size "$size" --cells "$cells" --frames "$frames" --out "$work/cells" >/dev/null
mkdir -p "$work/filters"
sed "s#<nominal_surveillance_area>[^<]*<#<nominal_surveillance_area>$((size * size))<#" \
  "$filters" >"$work/filters/$(basename "$filters")"
cp "$here/examples/filters/lineage_nuclei.xml" "$work/filters/"

# The chain of $1 up to and including the first line holding $2, closed by
# a terminator.
cut_after() {
  if ! grep -qF -- "$2" "$1"; then
    echo "cell_tracking_bench.sh: $1 has no line with $2" >&2
    exit 1
  fi
  awk -v stop="$2" '{ print } index($0, stop) { exit }' "$1"
  printf '    <terminator/>\n  </components>\n</component_chain>\n'
}

greedy="$work/cells/greedy.xml"
sed 's#<assignment_algorithm>[^<]*<#<assignment_algorithm>greedy<#' "$config" >"$greedy"
algorithm="$(sed -n 's#.*<assignment_algorithm>\([^<]*\)<.*#\1#p' "$config")"
nscan="$(sed -n 's#.*<nscan>\([^<]*\)<.*#\1#p' "$config")"

# Runs the configuration file $1 BENCH_REPEAT times; sets wall and cpu
# (seconds, user + system, of the fastest run by wall time) and peak (MiB,
# largest).
run() {
  wall=""
  cpu=""
  peak=0
  for ((k = 0; k < repeat; ++k)); do
    /usr/bin/time -v -o "$work/time.txt" "$ostrel" "$1" >"$work/out.txt" 2>"$work/err.txt"
    # ostrel always exits 0; anything on standard error but the elapsed
    # time is an error message.
    if grep -v -e '^$' -e '^Elapsed time: ' "$work/err.txt" >/dev/null; then
      echo "cell_tracking_bench.sh: $1 failed:" >&2
      cat "$work/err.txt" >&2
      exit 1
    fi
    local this_wall this_cpu this_peak
    this_wall="$(awk -F': ' '/Elapsed \(wall clock\)/ {
        n = split($2, part, ":"); s = 0
        for (i = 1; i <= n; ++i) s = s * 60 + part[i]
        printf "%.2f", s }' "$work/time.txt")"
    this_cpu="$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$work/time.txt")"
    this_peak="$(awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$work/time.txt")"
    if [ -z "$wall" ] || awk -v a="$this_wall" -v b="$wall" 'BEGIN { exit !(a < b) }'; then
      wall="$this_wall"
      cpu="$this_cpu"
    fi
    if [ "$this_peak" -gt "$peak" ]; then peak="$this_peak"; fi
  done
}

stages=("reading" "+ smoothing, background" "+ threshold, objects" "+ contacts" "+ tracker"
  "+ clean-up, lineage" "+ writing (full run)")
stops=("</short_image_tiff_reader>"
  "</short_image_to_short_image_background_subtractor_algorithm_component>"
  "</short_image_segmented_image_object_segmentor_algorithm_component>"
  "</short_image_segmented_image_to_contact_frame_converter>"
  "<track_report_frame_to_composite_state_frame_converter/>"
  "<lineage_linker "
  "")
contacts_stage=3
tracker_stage=4
full_stage=$((${#stages[@]} - 1))

report_line() { printf '%-30s %8s %8s %8s %8s %9s\n' "$@"; }
difference() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a - b }'; }
header() { report_line "chain cut after" "wall s" "stage" "cpu s" "stage" "peak MiB"; }

# Times the chain of $1 cut after each stop in turn; prints one line per
# stage from index $2 on, differencing against the wall and cpu times $3
# and $4 of the stage before it; $5 names the assignment algorithm.
time_stages() {
  local source="$1" first="$2" previous="$3" previous_cpu="$4" i name label
  for ((i = first; i < ${#stages[@]}; ++i)); do
    name="stage$i-$(basename "$source")"
    if [ -n "${stops[$i]}" ]; then
      cut_after "$source" "${stops[$i]}" >"$work/cells/$name"
    else
      cp "$source" "$work/cells/$name"
    fi
    run "$work/cells/$name"
    label="${stages[$i]}"
    if [ "$i" -eq "$tracker_stage" ]; then label="$label ($5, nscan $nscan)"; fi
    report_line "$label" "$wall" "$(difference "$wall" "$previous")" "$cpu" "$(difference "$cpu" "$previous_cpu")" "$peak"
    previous="$wall"
    previous_cpu="$cpu"
    if [ "$i" -eq "$contacts_stage" ]; then
      contacts_wall="$wall"
      contacts_cpu="$cpu"
    fi
  done
  full_wall="$wall"
  full_cpu="$cpu"
  full_peak="$peak"
}

echo
echo "cell tracking, $frames frames of $size x $size, $cells nuclei at the start (seed $seed)"
header
time_stages "$config" 0 0 0 "$algorithm"
tracks="$(wc -l <"$work/cells/result/res_track.txt")"
divisions="$(awk '$4 != 0' "$work/cells/result/res_track.txt" | wc -l)"
fps() { awk -v f="$frames" -v w="$1" 'BEGIN { printf "%.1f", f / w }'; }
shipped_fps="$(fps "$full_wall") frames/s ($(fps "$full_cpu") per cpu second)"
shipped_peak="$full_peak"
cp -r "$work/cells/result" "$work/result_threads"

echo
echo "the same with the greedy assignment (nscan $nscan)"
header
time_stages "$greedy" "$tracker_stage" "$contacts_wall" "$contacts_cpu" greedy
greedy_fps="$(fps "$full_wall") frames/s ($(fps "$full_cpu") per cpu second)"

# The shipped configuration once more on one thread (the prefetch stage
# then passes frames on synchronously; the result files are the same).
OSTREL_THREADS=1 run "$work/cells/stage$full_stage-$(basename "$config")"
single_fps="$(fps "$wall") frames/s ($(fps "$cpu") per cpu second)"
if ! diff -r "$work/result_threads" "$work/cells/result" >/dev/null; then
  echo "cell_tracking_bench.sh: results differ between 1 and 2 threads" >&2
  exit 1
fi

echo
echo "full run ($algorithm): $shipped_fps, peak $shipped_peak MiB; $tracks tracks, $divisions daughters"
echo "full run ($algorithm, OSTREL_THREADS=1): $single_fps"
echo "full run (greedy): $greedy_fps, peak $full_peak MiB"
