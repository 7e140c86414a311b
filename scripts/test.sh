#!/usr/bin/env bash
# Builds Ostrel (installing missing packages) and runs the whole test suite.
# Extra arguments go to cmake (for example -DOSTREL_SANITIZE=ON).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTREL_BUILD_DIR:-$here/build}"
OSTREL_BUILD_DIR="$build" "$here/scripts/setup.sh" "$@"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
