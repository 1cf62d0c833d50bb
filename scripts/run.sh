#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on a fresh copy of the demo backup with
# the demo catalogue beside the executable. The bundled demo data itself is never modified.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target wisetup wisetup-demo-data

bin=build/bin
"$bin/wisetup-demo-data" catalogue "$bin"
try=$(mktemp -d "${TMPDIR:-/tmp}/wisetup-demo-XXXXXX")
"$bin/wisetup-demo-data" backup "$try/backup"
mkdir -p "$try/setup"
# Point the remembered folders at the fresh copy so the browser opens on it.
if [ ! -f "$bin/wisetup.INI" ] || ! grep -q "^BACKUP=$try" "$bin/wisetup.INI"; then
  printf '[Folder]\r\nUPDATE=%s\r\nBACKUP=%s\r\n' "$try/setup" "$try/backup" > "$bin/wisetup.INI.new"
  if [ -f "$bin/wisetup.INI" ]; then
    grep -v -i -E '^(\[Folder\]|UPDATE=|BACKUP=)' "$bin/wisetup.INI" >> "$bin/wisetup.INI.new" || true
  fi
  mv "$bin/wisetup.INI.new" "$bin/wisetup.INI"
fi
echo "Demo backup: $try/backup   setup folder: $try/setup"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under xvfb-run (install xvfb to see it on a virtual screen)."
  bash scripts/install-deps.sh --with-gui-tools
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$bin/wisetup"
fi
exec "$bin/wisetup"
