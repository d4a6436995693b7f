#!/usr/bin/env bash
# Builds the Debian package of Vantrel from a Release build in build/ (or the folder given
# as $1): build/vantrel_<version>_<arch>.deb. Prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build}"
# The build's progress goes to stderr: stdout carries only the package's path.
VANTREL_BUILD_TYPE=Release "$root/scripts/build.sh" "$dir" >&2
cd "$dir"
cpack -G DEB --config "$dir/CPackConfig.cmake" >cpack.log || { cat cpack.log >&2; exit 1; }
rm -rf "$dir/_CPack_Packages"
ls "$dir"/vantrel_*.deb
