#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang and runs them, one per core at a time: by
# default each for a short bounded time (WISETUP_FUZZ_SECONDS, 10 s), with --long for 10 million
# executions each (WISETUP_FUZZ_RUNS overrides; WISETUP_FUZZ_SECONDS then caps each target's
# time). Target names after the option run only those. Prints the executions reached and the
# findings per target; any finding fails with its reproducer's path. Corpora and findings stay in
# the build folder (WISETUP_FUZZ_BUILD, build-fuzz) under fuzz/ for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

long=0
if [ "${1:-}" = "--long" ]; then
  long=1
  shift
fi
only=("$@")
if ! command -v clang++-14 >/dev/null; then
  echo "== Fuzzing skipped: clang++-14 is not installed"
  exit 0
fi

build=${WISETUP_FUZZ_BUILD:-build-fuzz}
echo "== Fuzz targets (clang++-14, libFuzzer, ASan + UBSan)"
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWISETUP_FUZZ=ON -DWISETUP_UI=OFF -DWISETUP_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz-targets -j"$(nproc)"

# target:max_len:dictionary
targets=(
  ini-fuzz:4096:
  config-list-fuzz:1024:
  setup-read-fuzz:4096:setup.dict
  setup-write-fuzz:4096:setup.dict
  records-fuzz:1536:
  path-map-fuzz:256:path-map.dict
  selections-fuzz:4096:selections.dict
)
if [ $long -eq 1 ]; then
  limit=(-runs="${WISETUP_FUZZ_RUNS:-10000000}")
  if [ -n "${WISETUP_FUZZ_SECONDS:-}" ]; then limit+=(-max_total_time="$WISETUP_FUZZ_SECONDS"); fi
  echo "== Long campaign: ${limit[*]} per target"
else
  limit=(-max_total_time="${WISETUP_FUZZ_SECONDS:-10}")
  echo "== Short run: ${limit[*]} per target"
fi

work="$build/fuzz"
# One target per core at a time; each writes its log and exit status, read in the targets' order.
run_target() {
  local name=$1 maxlen=$2 dict=$3
  local corpus="$work/corpus/$name" artifacts="$work/findings/$name"
  mkdir -p "$corpus" "$artifacts"
  local args=(-max_len="$maxlen" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/")
  if [ -n "$dict" ]; then args+=(-dict="tests/fuzz/$dict"); fi
  find "$artifacts" -type f | wc -l >"$work/$name.before"
  local rc=0
  "$build/bin/$name" "${args[@]}" "${limit[@]}" "$corpus" >"$work/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$work/$name.rc"
}
ran=()
for entry in "${targets[@]}"; do
  IFS=: read -r name maxlen dict <<<"$entry"
  if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $name "* ]]; then continue; fi
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  run_target "$name" "$maxlen" "$dict" &
  ran+=("$name")
done
wait

failed=0
for name in "${ran[@]}"; do
  log="$work/$name.log"
  rc=$(cat "$work/$name.rc")
  execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
  seconds=$(awk '/^Done [0-9]+ runs in/ {print $5}' "$log")
  findings=$(($(find "$work/findings/$name" -type f | wc -l) - $(cat "$work/$name.before")))
  printf '%-18s %12s executions  %7s exec/s  %5s s  %s findings\n' \
    "$name" "${execs:-?}" "${rate:-?}" "${seconds:--}" "$findings"
  if [ "$rc" -ne 0 ]; then
    failed=1
    grep -E '^(==[0-9]+== ?ERROR|SUMMARY|.*Test unit written to)' "$log" | sed 's/^/    /' || true
    echo "    log: $log"
  fi
done
if [ $failed -ne 0 ]; then
  echo "== Fuzzing found a fault; rerun a reproducer with: $build/bin/<target> <file>"
  exit 1
fi
