#!/usr/bin/env bash
# Sets everything up (packages, build) and runs ostrel on the shipped example.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
example="${1:-$here/examples/replay/pipeline.xml}"
"$here/build/ostrel" "$example"
echo "results: $(dirname "$example")/out/"
