#!/usr/bin/env bash
# Builds the benchmarks in a release configuration and prints the medians of five runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTABREL_BUILD_BENCH=ON \
  -DTABREL_BUILD_TESTS=OFF -DTABREL_BUILD_EDITOR=OFF >/dev/null
cmake --build build/bench -j"$(nproc)" --target tabrel_bench
build/bench/bench/tabrel_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_filter="${1:-.}" | grep -E '^(BM|-|Benchmark)' | grep -v -E '_(mean|stddev|cv) '
