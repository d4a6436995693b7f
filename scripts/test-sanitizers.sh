#!/usr/bin/env bash
# Builds the core with AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
VANTREL_BUILD_TYPE=RelWithDebInfo "$root/scripts/build.sh" "$root/build-asan" -DVANTREL_SANITIZE=ON -DVANTREL_GUI=OFF -DVANTREL_BENCH=OFF
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/build-asan" --output-on-failure -j"$(nproc)" -L core
