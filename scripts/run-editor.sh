#!/usr/bin/env bash
# Installs what is missing, builds Tabrel and starts the editor. Without a display (a
# server), the editor runs under a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

extra=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then extra=(xvfb xauth); fi
scripts/install-deps.sh "${extra[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$(nproc)"

editor=build/release/editor/tabrel
if [ ! -x "$editor" ]; then
  echo "Build finished; the editor is not part of this build yet (tabrel-cli and the libraries are)."
  exit 0
fi
if [ ${#extra[@]} -gt 0 ]; then
  exec xvfb-run -a "$editor"
fi
exec "$editor"
