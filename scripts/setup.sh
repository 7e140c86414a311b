#!/usr/bin/env bash
# Installs what Ostrel needs on Debian 12 (when missing) and builds it into
# build/. Run from anywhere; needs root or sudo only when packages are missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(g++ cmake make pkg-config libtiff-dev liblpsolve55-dev libpng-dev
          libgtest-dev libbenchmark-dev libjemalloc-dev libdeflate-dev libtiff-tools time ninja-build
          clang-14 libclang-rt-14-dev snakemake)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

build="${OSTREL_BUILD_DIR:-$here/build}"
# A new build folder uses Ninja, which keeps both cores busy across targets;
# an existing one keeps the generator it was made with.
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE="${OSTREL_BUILD_TYPE:-Release}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
