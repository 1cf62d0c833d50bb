#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing wisetup need, when missing.
# Runs apt-get as root, or through sudo.
set -euo pipefail

# dpkg-dev brings dpkg-shlibdeps, which works out the package's library dependencies.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
          fonts-ipafont-gothic qt6-translations-l10n dpkg-dev)
if [ "${1:-}" = "--with-gui-tools" ]; then
  packages+=(xvfb xauth)
fi
if [ "${1:-}" = "--with-test-tools" ]; then
  # Debian's own checkers of the package, its desktop entry and its AppStream data.
  packages+=(clang-14 libclang-rt-14-dev clang-format-14 lintian desktop-file-utils appstream)
  # pdftotext, to read back the text of an exported PDF; python3 for the limits check.
  packages+=(poppler-utils python3)
  # The cross compiler that checks that everything above platform/ builds for another system.
  packages+=(g++-mingw-w64-x86-64-posix)
  # Media without Unix modes, mounted from images through FUSE: FAT, exFAT and NTFS.
  packages+=(fuse3 fusefat exfat-fuse exfatprogs ntfs-3g dosfstools)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
