#!/usr/bin/env bash
# Shows the window under Xvfb on a 1280x800 screen, in Japanese and English at scale factors 1,
# 1.5 and 2, at its minimum size, the overview of the demo backup beside it and the preview dialog;
# checks that every control lies inside its window, the overview and the preview inside the screen
# (the preview's buttons inside it), and no text is clipped, and saves
# a screenshot of each for a look. Usage: scripts/screenshot-check.sh [OUTDIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WISETUP_BUILD_DIR:-build}
out=${1:-$build/screenshots}

bash scripts/install-deps.sh --with-gui-tools
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target ui-layout-check

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
status=0
for scale in 1 1.5 2; do
  echo "== scale $scale"
  QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bin/ui-layout-check" --shots "$out" || status=1
done
echo "Screenshots in $out"
exit $status
