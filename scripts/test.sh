#!/usr/bin/env bash
# Installs what is missing, builds everything (Debug, AddressSanitizer and UBSan, warnings as errors)
# and runs every test. A unity build with line tables only (-g1) keeps a first build within minutes on
# two cores; the benchmarks are built in Release, apart (README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_BUILD_TYPE=Debug -DVELTRANO_SANITIZE=ON -DVELTRANO_WERROR=ON -DVELTRANO_BENCH=OFF \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-test -j2 --output-on-failure
