#!/usr/bin/env bash
# Builds tessel and the store benchmark (preset native) and runs it: a 1 GiB
# store and its index are generated in the build folder on first use (about
# 1.1 GB of disk), then `tessel scan --format tsv` of the store and of the
# index is timed against a memmem count and grep over the same file.
# Extra arguments go to the benchmark (e.g. --benchmark_repetitions=3).
# TESSEL_BENCH_BYTES sets another store size; TESSEL_BUILD_DIR another build folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=${TESSEL_BUILD_DIR:-build/native}
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" --target tessel store_scan_bench -j "$(nproc)" >/dev/null
exec "$build/bench/store_scan_bench" "$@"
