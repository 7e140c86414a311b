#!/usr/bin/env bash
# Runs the cell-tracking workflow locally on two small sequences made by
# ostrel-synth and checks that every sequence was tracked and scored.
#   OSTREL_BUILD_DIR   folder of the built programs (default: build)
#   OSTREL_EVAL        the evaluator (default: OSTREL_BUILD_DIR/ostrel-eval)
#   OSTREL_CI_MEASURE  a measure every score must hold (default: TRA)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${OSTREL_BUILD_DIR:-$here/build}" && pwd)"
evaluator="${OSTREL_EVAL:-$build/ostrel-eval}"
measure="${OSTREL_CI_MEASURE:-TRA}"

command -v snakemake >/dev/null || { echo "run-ci.sh: snakemake is not installed" >&2; exit 1; }
for program in "$build/ostrel-cells" "$build/ostrel-synth" "$evaluator"; do
  [ -x "$program" ] || { echo "run-ci.sh: $program is missing (build it first)" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"  # replaced results go to a trash inside the work folder

"$build/ostrel-synth" --seed 3 --size 96 --cells 6 --frames 12 --out "$work/sequences/one" >/dev/null
"$build/ostrel-synth" --seed 4 --size 96 --cells 8 --frames 10 --speed 2 --out "$work/sequences/two" >/dev/null

snakemake -s "$here/workflows/Snakefile" --cores 2 --directory "$work" --quiet \
  --config sequences="$work/sequences" results="$work/results" bin="$build" eval="$evaluator"

table="$work/results/scores.tsv"
cat "$table"
python3 - "$table" "$measure" <<'PYTHON'
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1]), delimiter="\t"))
measure = sys.argv[2]
names = sorted(row["sequence"] for row in rows)
assert names == ["one", "two"], f"sequences in the table: {names}"
for row in rows:
    assert row["status"] == "scored", f"{row['sequence']}: {row['status']}"
    assert row.get(measure), f"{row['sequence']}: no {measure} score"
print(f"run-ci.sh: both sequences tracked and scored ({measure})")
PYTHON
