#!/bin/sh
# Builds the benchmarks into build-bench/ (ORVAK_BENCH=ON) and runs each of
# them. Further arguments go to every benchmark program as QtTest options,
# e.g. -median 5, -iterations 100 or -tickcounter. BENCH_JOBS limits the
# build's parallel jobs (default: every core).
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
dir=build-bench
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAK_BENCH=ON >/dev/null
cmake --build "$dir" --parallel "${BENCH_JOBS:-$(nproc)}" --target orvak_benchmarks
for bench in "$dir"/bin/bench_*; do
  "$bench" "$@"
done
