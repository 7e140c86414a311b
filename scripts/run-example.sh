#!/usr/bin/env bash
# Sets everything up (packages, build) and tracks the shipped cell example
# with ostrel-cells, which derives the configuration from the images; the
# result and the configuration it ran go to examples/cells/result/. With an
# argument, runs ostrel on that configuration file instead.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTREL_BUILD_DIR:-$here/build}"
"$here/scripts/setup.sh"
cd "$here"
if [ $# -gt 0 ]; then
  "$build/ostrel" "$1"
else
  "$build/ostrel-cells" examples/cells/images examples/cells/result
  echo "results: $here/examples/cells/result/ (res_track.txt, mask000.tif ... and ostrel-cells.xml)"
fi
