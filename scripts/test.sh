#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build (unit, scenario and Qt
# tests), the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a short bounded
# run of every fuzz target when clang is present. The format and limits checks come first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh --with-test-tools
bash scripts/check-format.sh
python3 scripts/check-limits.py

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

echo "== Sanitizer build and tests (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWISETUP_SANITIZE=ON -DWISETUP_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure

bash scripts/fuzz.sh
