#!/usr/bin/env bash
# Configures and builds Vantrel in build/ (or the folder given as $1) with extra CMake options.
# Release by default: optimised binaries are what users run. VANTREL_BUILD_TYPE picks another
# build type, VANTREL_WERROR=ON makes warnings errors (CI), ccache is used when installed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build}"
shift || true
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${VANTREL_BUILD_TYPE:-Release}" \
  -DVANTREL_WERROR="${VANTREL_WERROR:-OFF}" "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
