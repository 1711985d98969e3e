#!/usr/bin/env bash
# Builds Tabrel and runs every test: the normal build, a second build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and short fuzzing runs of the LDF loader
# and of the NCF reader.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)

echo "== Release build and tests"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== Sanitizer build and tests"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTABREL_SANITIZE=ON -DTABREL_BUILD_EDITOR=OFF
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzzing the loader (${TABREL_FUZZ_SECONDS:-30} s)"
  scripts/fuzz.sh "${TABREL_FUZZ_SECONDS:-30}"
  echo "== Fuzzing the NCF reader (${TABREL_NCF_FUZZ_SECONDS:-15} s)"
  scripts/fuzz.sh "${TABREL_NCF_FUZZ_SECONDS:-15}" ncf
fi
echo "All tests passed."
