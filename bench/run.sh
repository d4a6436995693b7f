#!/usr/bin/env bash
# Builds the benchmarks in Release (in build-bench/, or the folder given as $1) and runs
# every benchmark program; each prints its figures and, at its end, its ratios or its time
# limits with "met"/"NOT MET". The window benchmarks run on the offscreen platform.
# Extra arguments after the folder go to every benchmark (e.g. --benchmark_filter=Load).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build-bench}"
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_BENCH=ON -DVANTREL_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null || { echo "bench/run.sh: build failed in $dir" >&2; exit 1; }
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
status=0
echo "machine load before the run: $(cat /proc/loadavg)"
for bench in "$dir"/bin/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@" || status=1
done
echo "machine load after the run: $(cat /proc/loadavg)"
exit $status
