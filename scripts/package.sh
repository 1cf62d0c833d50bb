#!/usr/bin/env bash
# Builds the DEB package of wisetup. Usage: scripts/package.sh [CATALOGUE_DIR]
# CATALOGUE_DIR is a WeldingMode folder to ship as /usr/share/wisetup/WeldingMode; without it the
# package holds no catalogue and one is expected in ~/.local/share/wisetup/WeldingMode (or beside
# a portable copy of the program).
set -euo pipefail
cd "$(dirname "$0")/.."
catalogue=${1:-}
if [ -n "$catalogue" ]; then
  [ -d "$catalogue" ] || { echo "not a folder: $catalogue" >&2; exit 1; }
  catalogue=$(cd "$catalogue" && pwd)
fi

bash scripts/install-deps.sh
# The hardening Debian builds its own packages with (fortified calls, stack protector, read-only
# relocations bound at start); the optimisation level stays the Release one.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DWISETUP_BENCH=OFF "-DWISETUP_CATALOGUE_DIR=$catalogue" "-DCMAKE_CXX_FLAGS=$cxxflags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-package -j"$(nproc)" --target wisetup wisetup-docs
(cd build-package && cpack -G DEB)
ls -1 build-package/wisetup_*.deb
