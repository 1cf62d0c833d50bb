#!/usr/bin/env bash
# Keeps platform/ the one seam to the operating system: compiles every file of src/ except ui/ and
# this system's own files (platform/*Posix.cpp) with the MinGW-w64 cross compiler and the project's
# own flags (taken from BUILD/compile_commands.json), and fails on any file that does not compile or
# that includes a POSIX header outside platform/. Exit 77 (skipped) without the cross compiler.
# Usage: scripts/cross-check.sh BUILD
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: cross-check.sh BUILD}
compiler=x86_64-w64-mingw32-g++-posix

if ! command -v "$compiler" >/dev/null; then
  echo "cross-compile check skipped: $compiler is not installed (scripts/install-deps.sh --with-test-tools)"
  exit 77
fi

failed=0
if grep -rlE '^#include <(sys/[a-z]+|unistd|fcntl|dirent)\.h>' src --include='*.h' --include='*.cpp' |
  grep -vE '^src/(platform|ui)/'; then
  echo "these files above platform/ include a POSIX header"
  failed=1
fi

# One compile command a line: the file, a tab, the command with the cross compiler, checking only.
commands=$(sed -n 's/^  "command": "\(.*\)",$/\1/p' "$build/compile_commands.json" |
  sed -e 's/\\\\/\\/g' -e 's/\\"/"/g' |
  sed -E 's/^([^ ]+) (.*) -o [^ ]+ -c ([^ ]+)$/\3\t'"$compiler"' \2 -fsyntax-only \3/')
files=$(find src -name '*.cpp' -not -path 'src/ui/*' -not -name '*Posix.cpp' | sort)

check() {
  local file=$1 command
  command=$(grep -F "$(pwd)/$file	" <<<"$commands" | head -n1 | cut -f2-)
  if [ -z "$command" ]; then
    echo "$file: not in $build/compile_commands.json"
    return 1
  fi
  local output
  if ! output=$(eval "$command" 2>&1); then
    echo "$file: does not compile for another system"
    grep -m3 'error' <<<"$output"
    return 1
  fi
}
export -f check
export commands compiler build

total=$(wc -l <<<"$files")
if ! xargs -P "$(nproc)" -I{} bash -c 'check "$@"' _ {} <<<"$files"; then failed=1; fi
if [ "$failed" -ne 0 ]; then
  echo "cross-compile check failed"
  exit 1
fi
echo "cross-compile check: $total files of src/ compile with $compiler"
