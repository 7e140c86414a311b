#!/usr/bin/env bash
# Sets everything up (packages, build) and runs ostrel on the shipped
# cell-tracking example (or on the configuration given as argument).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
cd "$here"
if [ $# -gt 0 ]; then
  "$here/build/ostrel" "$1"
else
  # With no argument ostrel reads Ostrel.txt, which names the example.
  "$here/build/ostrel"
  echo "results: $here/examples/cells/result/ (res_track.txt and mask000.tif ...)"
fi
