#!/usr/bin/env bash
# Builds the profile-file fuzzer with clang's libFuzzer and runs it for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++-14 >/dev/null; then
  echo "== Fuzzing skipped: clang++-14 is not installed"
  exit 0
fi
seconds=${WISETUP_FUZZ_SECONDS:-30}
echo "== Fuzzing the profile-file document for ${seconds}s"
mkdir -p build-fuzz
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc tests/fuzz/IniFuzz.cpp src/platform/IniDocument.cpp src/platform/FileIo.cpp \
  src/platform/PathMap.cpp -o build-fuzz/ini-fuzz
mkdir -p build-fuzz/corpus
(cd build-fuzz && ./ini-fuzz -max_total_time="$seconds" -max_len=4096 corpus >fuzz.log 2>&1) || {
  tail -40 build-fuzz/fuzz.log
  exit 1
}
tail -1 build-fuzz/fuzz.log
