#!/usr/bin/env bash
# Drives the editor's window with random user actions: ACTIONS actions per seed (default
# 2000), seeds FIRST, FIRST+1, ... until TOTAL actions (default 20000) have run. With
# --sanitize the editor is built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build/sanitize-editor). A failing seed is printed; replay it with
#   build/<dir>/tests/editor_random_actions --seed N --actions M
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build=build/sanitize-editor
  options=(-DCMAKE_BUILD_TYPE=Debug -DTABREL_SANITIZE=ON)
fi
total=${1:-20000}
actions=${2:-2000}
first=${3:-1}

cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target editor_random_actions

export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
seed=$first
done_actions=0
while [ "$done_actions" -lt "$total" ]; do
  "$build"/tests/editor_random_actions --seed "$seed" --actions "$actions" --quiet 2>"$build/random-editor-$seed.log" \
    | grep -v '^passed$' || { echo "seed $seed failed: see $build/random-editor-$seed.log"; exit 1; }
  done_actions=$((done_actions + actions))
  seed=$((seed + 1))
done
echo "$done_actions random actions passed (seeds $first to $((seed - 1)))."
