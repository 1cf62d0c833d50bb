#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it (.clang-format).
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "== Format check failed: clang-format 14 is not installed" >&2
  exit 1
fi
echo "== Format check ($("$format" --version | sed 's/.*version \([0-9.]*\).*/\1/'))"
git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run -Werror
