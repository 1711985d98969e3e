#!/usr/bin/env bash
# Fuzzes with libFuzzer for the given number of seconds (default 30): the LDF loader and the
# writer, checks and generator behind it, or with "ncf" the node capability file reader and
# writer. Seeds: our samples, the examples and the shared corpus of other tools' files.
# Inputs that fail are kept in build/fuzz/artifacts; add them to tests/data/fuzz as
# regressions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
language=${2:-ldf}
case "$language" in
  ldf) target=load_fuzzer ;;
  ncf) target=ncf_fuzzer ;;
  *) echo "usage: scripts/fuzz.sh [SECONDS] [ldf|ncf]" >&2; exit 2 ;;
esac

mkdir -p build
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTABREL_FUZZ=ON -DTABREL_BUILD_TESTS=OFF -DTABREL_BUILD_EDITOR=OFF >build/fuzz-configure.log
cmake --build build/fuzz -j"$(nproc)" --target "$target"

work=build/fuzz/corpus-$language
mkdir -p "$work" build/fuzz/artifacts
for folder in tests/data examples ../shared/corpus; do
  [ -d "$folder" ] && find "$folder" -name "*.$language" -exec cp -f {} "$work"/ \;
done

build/fuzz/tests/fuzz/"$target" "$work" -max_total_time="$seconds" -max_len=70000 \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1
