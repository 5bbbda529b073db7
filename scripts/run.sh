#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on its bundled sample archive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# -O2, as the package is built; only what the window program needs (`cmake --build build` adds the tools).
cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF \
  -DCMAKE_UNITY_BUILD=ON
cmake --build build -j2 --target program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Veltrano is built in build/bin, but there is no display to show its windows on" >&2
  echo "(DISPLAY is not set). Start it from a desktop session: build/bin/veltrano" >&2
  exit 3
fi
exec build/bin/veltrano
