#!/usr/bin/env bash
# Fuzzes the archive reader and the history reader: installs Debian's clang and its libFuzzer runtime
# when missing, builds the targets of fuzz/ in build-fuzz (AddressSanitizer, UBSan, libFuzzer), writes
# the seed corpus with the program's own writers and runs each target for FUZZ_SECONDS (60) seconds.
# Any crash, hang, leak or sanitizer report fails the script; the input is kept in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
scripts/install-deps.sh clang libclang-rt-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" \
  -DCMAKE_UNITY_BUILD=ON -DVELTRANO_FUZZ=ON -DVELTRANO_SANITIZE=ON -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF
cmake --build build-fuzz -j2 --target fuzz_archive fuzz_history fuzz_seeds

seeds=build-fuzz/seeds
rm -rf "$seeds" build-fuzz/corpus
build-fuzz/fuzz/fuzz_seeds "$seeds"
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in archive:archive history:storico; do
  name="${target%%:*}"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "fuzz_$name: ${seconds} s"
  # libmdb prints its warnings on stderr for every damaged file: the target's stderr is closed, the
  # fuzzer's own reports still come out.
  "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3 \
    -artifact_prefix="build-fuzz/findings/$name-" -print_final_stats=1 "$corpus" "$seeds/${target#*:}"
done
