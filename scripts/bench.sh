#!/usr/bin/env bash
# Builds the benchmarks (RelWithDebInfo, in build-bench/) and runs them all; the last
# lines printed are the table. Pass --quick for a short trial run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench -j2 --target bench_runner
exec build-bench/bench/bench_runner "$@"
