#!/usr/bin/env bash
# Installs what is missing, builds everything (Debug, AddressSanitizer and UBSan, warnings as errors)
# and runs every test. Debian's clang with lld, a unity build and line tables only (-g1) keep a first
# build within minutes on two cores: clang compiles the tests in half the time GCC takes. GCC builds the
# package (scripts/package.sh) and the benchmarks, in Release (README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang libclang-rt-dev lld
cmake -S . -B build-test -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DCMAKE_BUILD_TYPE=Debug -DVELTRANO_SANITIZE=ON -DVELTRANO_WERROR=ON -DVELTRANO_BENCH=OFF \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-test -j2 --output-on-failure
