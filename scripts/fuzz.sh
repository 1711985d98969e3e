#!/usr/bin/env bash
# Fuzzes the LDF loader, and the writer, checks and generator behind it, with libFuzzer for the given number of seconds (default 30).
# Seeds: our samples, the examples and the shared corpus of other tools' files. Inputs
# that fail are kept in build/fuzz/artifacts; add them to tests/data/fuzz as regressions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

mkdir -p build
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTABREL_FUZZ=ON -DTABREL_BUILD_TESTS=OFF -DTABREL_BUILD_EDITOR=OFF >build/fuzz-configure.log
cmake --build build/fuzz -j"$(nproc)" --target load_fuzzer

work=build/fuzz/corpus
mkdir -p "$work" build/fuzz/artifacts
for folder in tests/data examples ../shared/corpus; do
  [ -d "$folder" ] && find "$folder" -name '*.ldf' -exec cp -f {} "$work"/ \;
done

build/fuzz/tests/fuzz/load_fuzzer "$work" -max_total_time="$seconds" -max_len=70000 \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1
