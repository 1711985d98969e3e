#!/usr/bin/env bash
# Builds the benchmarks in a release configuration and prints the medians of nine runs with
# their ratios to the baseline; then times whole runs of tabrel-cli check and write on the
# clusters of N slaves (the median time of five runs and the peak memory of a sixth), next
# to reading the same file with cat. An argument filters the in-process benchmarks.
set -euo pipefail
export LC_ALL=C  # the shell's timer then prints its seconds with a decimal point
cd "$(dirname "$0")/.."
scripts/install-deps.sh time
mkdir -p build
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTABREL_BUILD_BENCH=ON \
  -DTABREL_BUILD_TESTS=OFF -DTABREL_BUILD_EDITOR=OFF >build/bench-configure.log
cmake --build build/bench -j"$(nproc)" --target tabrel_bench cluster_file tabrel-cli
build/bench/bench/tabrel_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_filter="${1:-.}" | grep -v -E '_(mean|stddev|cv) '

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Prints "milliseconds KiB": the median time of five runs, timed by the shell alone so that
# no timing tool's own start is counted, and the peak memory of a sixth.
median_run() {
  local TIMEFORMAT=%R
  for _ in 1 2 3 4 5; do
    { time "$@" >"$work/out" 2>&1 || true; } 2>&1
  done | sort -n | sed -n 3p | awk '{ printf "%d ms ", $1 * 1000 + 0.5 }'
  /usr/bin/time -q -f "%M KiB" -o "$work/peak" "$@" >"$work/out" 2>&1 || true
  cat "$work/peak"
}
echo
echo "Whole runs (time, peak memory): N, file bytes | cat | tabrel-cli check | tabrel-cli write"
for n in 50 500 2000 5000; do
  file="$work/n$n.ldf"
  build/bench/bench/cluster_file "$n" "$file"
  echo "$n $(stat -c %s "$file") | $(median_run cat "$file") | $(median_run build/bench/cli/tabrel-cli check "$file")" \
       "| $(median_run build/bench/cli/tabrel-cli write "$file" "$work/written.ldf")"
done
