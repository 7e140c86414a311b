#!/usr/bin/env bash
# Cost and benefit of the lineage linker: generates a rod colony
# (ostrel-synth --model rods, default size: about 370 cells at the end) and a
# sequence of round nuclei, tracks each with the shipped label-mask
# configuration (examples/cells/track_label_masks.xml, the truth masks as
# input, with lineage_rods.xml or lineage_nuclei.xml) and reports
#   - the cpu time of the tracker stage and of the linker stage, from runs
#     of the chain cut after the contacts, the tracker, the relabeler and the
#     linker (differences of the fastest of BENCH_REPEAT runs), and the ratio
#     (tracker + linker) / tracker;
#   - TRA and BC(0) (ostrel-eval) of the full run with the linker and of the
#     same run without it (the writer's distance rule, distance_gate 18).
#
# Usage: bench/lineage_bench.sh [BUILD_DIR]
#   BUILD_DIR  folder holding ostrel, ostrel-synth and ostrel-eval (Release);
#              default $OSTREL_BUILD_DIR, else build/ under the repository
# Environment: BENCH_SEED (3), BENCH_REPEAT (1), BENCH_KEEP (keep the folder).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${OSTREL_BUILD_DIR:-$here/build}}"
seed="${BENCH_SEED:-3}"
repeat="${BENCH_REPEAT:-1}"
for tool in ostrel ostrel-synth ostrel-eval; do
  if [ ! -x "$build/$tool" ]; then
    echo "lineage_bench.sh: missing $build/$tool (build it first)" >&2
    exit 1
  fi
done
[ -x /usr/bin/time ] || { echo "lineage_bench.sh: missing /usr/bin/time" >&2; exit 1; }

work="$(mktemp -d)"
if [ -z "${BENCH_KEEP:-}" ]; then trap 'rm -rf "$work"' EXIT; else echo "keeping $work"; fi
export XDG_DATA_HOME="$work/data"
mkdir -p "$work/examples/cells"
cp -r "$here/examples/filters" "$work/examples/"

echo "generating a rod colony and round nuclei (seed $seed) ..."
"$build/ostrel-synth" --model rods --seed "$seed" --out "$work/colony" | tail -1
"$build/ostrel-synth" --seed "$seed" --size 384 --cells 60 --frames 60 --division-rate 0.03 \
  --out "$work/nuclei" | tail -1

# The chain of $1 up to and including the first line holding $2, closed by
# a terminator.
cut_after() {
  awk -v stop="$2" '{ print } index($0, stop) { exit }' "$1"
  printf '    <terminator/>\n  </components>\n</component_chain>\n'
}

# cpu seconds (user + system) of the fastest of BENCH_REPEAT runs of $1.
cpu_of() {
  local best="" k this
  for ((k = 0; k < repeat; ++k)); do
    /usr/bin/time -f "%U %S" -o "$work/time.txt" "$build/ostrel" "$1" >"$work/out.txt" 2>"$work/err.txt"
    if grep -v -e '^$' -e '^Elapsed time: ' "$work/err.txt" >/dev/null; then
      echo "lineage_bench.sh: $1 failed:" >&2
      cat "$work/err.txt" >&2
      exit 1
    fi
    this="$(awk '{ printf "%.2f", $1 + $2 }' "$work/time.txt")"
    if [ -z "$best" ] || awk -v a="$this" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$this"; fi
  done
  echo "$best"
}

scores() { "$build/ostrel-eval" "$1/truth" "$2" | awk '$1 == "TRA" || $1 == "BC(0)" { printf "%s %.4f  ", $1, $2 }'; }

# bench NAME DATA LINEAGE_FILE
bench() {
  local name="$1" data="$2" lineage="$3" config="$work/examples/cells/$1.xml"
  sed "s#<directory>truth</directory>#<directory>$data/truth</directory>#; s#lineage_nuclei.xml#$lineage#" \
    "$here/examples/cells/track_label_masks.xml" >"$config"
  local stops=("</segment_image_segmented_image_to_contact_frame_converter>"
    "<track_report_frame_to_composite_state_frame_converter/>" "</track_relabeler>" "<lineage_linker")
  local times=() i
  for i in "${!stops[@]}"; do
    cut_after "$config" "${stops[$i]}" >"$work/examples/cells/cut$i.xml"
    times+=("$(cpu_of "$work/examples/cells/cut$i.xml")")
  done
  local tracker linker
  tracker="$(awk -v a="${times[1]}" -v b="${times[0]}" 'BEGIN { printf "%.2f", a - b }')"
  linker="$(awk -v a="${times[3]}" -v b="${times[2]}" 'BEGIN { printf "%.2f", a - b }')"
  echo
  echo "$name: tracker $tracker cpu s, lineage linker $linker cpu s," \
    "(tracker + linker) / tracker = $(awk -v t="$tracker" -v l="$linker" 'BEGIN { printf "%.2f", (t + l) / t }')"
  "$build/ostrel" "$config" >/dev/null 2>&1
  echo "  with the linker:    $(scores "$data" "$work/examples/cells/result_from_masks")"
  sed 's#<lineage_linker file.*$##; s#<distance_gate>0<#<distance_gate>18<#' "$config" >"$work/examples/cells/plain.xml"
  "$build/ostrel" "$work/examples/cells/plain.xml" >/dev/null 2>&1
  echo "  without (distance): $(scores "$data" "$work/examples/cells/result_from_masks")"
}

bench colony "$work/colony" lineage_rods.xml
bench nuclei "$work/nuclei" lineage_nuclei.xml
