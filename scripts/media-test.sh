#!/usr/bin/env bash
# Runs the demo line on the media engineers carry, made as small images and mounted through FUSE:
# FAT16 and FAT32 (fusefat), exFAT (exfat-fuse on a loop device) and NTFS (ntfs-3g on a loop
# device). On each, and on the local disk: Create Files in the window (through wisetup-script),
# `wisetup apply --preview`, `wisetup apply` and two `wisetup undo`. Every transcript and every file
# must be byte-identical to the local disk's, and each undo must give back the bytes before.
# Whatever it mounts it unmounts and detaches, also on failure or interruption.
# Usage: scripts/media-test.sh BIN_DIR [fat16|fat32|exfat|ntfs]...   Exit 77: skipped.
set -uo pipefail
bin=$(cd "${1:?usage: media-test.sh BIN_DIR [MEDIUM]...}" && pwd)
shift
media=("$@")
[ ${#media[@]} -gt 0 ] || media=(fat16 fat32 exfat ntfs)

skip() {
  echo "media test skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "it needs root to mount images"
[ -c /dev/fuse ] || skip "there is no /dev/fuse"
[ -e /dev/loop-control ] || skip "there are no loop devices"
for tool in fusefat mount.exfat-fuse ntfs-3g mkfs.fat mkfs.exfat mkntfs losetup; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (scripts/install-deps.sh --with-test-tools)"
done

work=$(mktemp -d /tmp/wisetup-media-XXXXXX)
mounted=()
loops=()
cleanup() {
  for point in "${mounted[@]}"; do
    umount "$point" 2>/dev/null || umount -l "$point" 2>/dev/null
  done
  for loop in "${loops[@]}"; do losetup -d "$loop" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Mounts a fresh image of `medium` at $work/MEDIUM/mnt, which goes to `point`. Not to be run in a
# subshell: the cleanup must learn what it mounted.
mount_medium() {
  local medium=$1 image=$work/$1.img loop
  point=$work/$1/mnt
  mkdir -p "$point"
  case $medium in
    fat16) truncate -s 32M "$image" && mkfs.fat -F 16 "$image" >/dev/null ;;
    fat32) truncate -s 64M "$image" && mkfs.fat -F 32 "$image" >/dev/null ;;
    exfat) truncate -s 16M "$image" && mkfs.exfat "$image" >/dev/null ;;
    ntfs) truncate -s 16M "$image" && mkntfs -F -Q -q "$image" >/dev/null 2>&1 ;;
    *) echo "unknown medium $medium" >&2 && return 1 ;;
  esac || return 1
  case $medium in
    fat*) fusefat -o rw+ "$image" "$point" >/dev/null 2>&1 || return 1 ;;
    *)
      loop=$(losetup --find --show "$image") || return 1
      loops+=("$loop")
      if [ "$medium" = exfat ]; then
        mount.exfat-fuse "$loop" "$point" >/dev/null 2>&1 || return 1
      else
        ntfs-3g "$loop" "$point" || return 1
      fi
      ;;
  esac
  mounted+=("$point")
}

# Every file and folder of the line, with the SHA-256 of each file.
snapshot() {
  (cd "$1" && find demo setup demo2 setup2 -type d | LC_ALL=C sort &&
    find demo setup demo2 setup2 -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}

# The demo line in the folder `root`; its transcripts and snapshots go to `out`.
run_line() {
  local root=$1 out=$2
  mkdir -p "$out/app" "$out/data/wisetup" "$out/runtime" "$out/home"
  chmod 700 "$out/runtime"
  "$bin/wisetup-demo-data" catalogue "$out/app" >/dev/null &&
    "$bin/wisetup-demo-data" catalogue "$out/data/wisetup" >/dev/null &&
    "$bin/wisetup-demo-data" backup "$root/demo" >/dev/null &&
    "$bin/wisetup-demo-data" backup "$root/demo2" >/dev/null || return 1
  mkdir -p "$root/setup" "$root/setup2"
  # A setup file already there, named as a FAT medium shows it: updated, its other keys kept.
  printf '[SITE]\r\nLINE=3\r\n' >"$root/setup2/ZELSETUP.INI"
  snapshot "$root" >"$out/before"
  sed -e "s|@ROOT@|$root|g" -e "s|@APP@|$out/app|g" >"$out/line.script" <<'EOF'
appdir @APP@
answer folder @ROOT@/demo
start
answer folder @ROOT@/setup
click ButtonSaveFolder
select ComboBoxWpsWelder 1
select ComboBoxWpsWModeR1 0
select ComboBoxWpsWModeR2 2
select ComboBoxWelderNo 1
select ComboBoxWpsWelder 3
select ComboBoxWpsWModeR1 0
select ComboBoxWpsWModeR2 1
select ComboBoxWpsWModeR4 2
select ComboBoxWelderNo 2
select ComboBoxWpsWelder 4
select ComboBoxWpsWModeR1 0
select ComboBoxWpsWModeR2 1
select ComboBoxWpsWModeR3 2
select ComboBoxWelderNo 3
select ComboBoxWpsWelder 7
select ComboBoxWpsWModeR1 0
select ComboBoxWpsWModeR2 1
select ComboBoxWpsWModeR3 2
select ComboBoxWpsWModeR4 3
select ComboBoxWpsWModeR5 4
check CheckBoxUseRcWCD 0
answer save @ROOT@/line.selections.ini
click MenuSaveSelections
click ButtonMakeConfig
dump SetupFileContent
EOF
  local -a env=(env -i PATH="$PATH" HOME="$out/home" XDG_DATA_HOME="$out/data"
    XDG_CONFIG_HOME="$out/home/config" XDG_RUNTIME_DIR="$out/runtime" LANG=C.UTF-8)
  local -a pair=(--selections "$root/line.selections.ini" --backup "$root/demo2"
    --setup "$root/setup2" --overwrite --language en)
  # Paths differ between the runs; what is written there must not.
  local shown="s|$root|ROOT|g; s|$out|OUT|g; s|[0-9]\{8\}-[0-9]\{6\}|TIME|g; s|[0-9]\{4\}-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]|TIME|g"
  {
    "${env[@]}" "$bin/wisetup-script" "$out/line.script"
    echo "exit $?"
  } 2>&1 | sed "$shown" >"$out/window"
  snapshot "$root" >"$out/after-window"
  for step in "apply --preview" apply undo undo; do
    echo "== $step"
    if [ "$step" = undo ]; then
      "${env[@]}" "$bin/wisetup" undo --language en 2>&1
    else
      # shellcheck disable=SC2086
      "${env[@]}" "$bin/wisetup" $step "${pair[@]}" 2>&1
    fi
    echo "exit $?"
    snapshot "$root"
  done | sed "$shown" >"$out/headless"
}

run_line "$work/local/disk" "$work/local" || {
  echo "media test: the demo line failed on the local disk"
  exit 1
}
local_out=$work/local
# The line on the local disk is the reference; its own undo must give back the bytes before.
awk '/^== undo/{n++} n==1 && /^[0-9a-f]+  /' "$local_out/headless" >"$work/first-undo"
awk '/^== undo/{n++} n==2 && /^[0-9a-f]+  /' "$local_out/headless" >"$work/second-undo"
failed=0
point=
if ! diff -q <(grep -E '^[0-9a-f]{64} ' "$local_out/after-window") "$work/first-undo" >/dev/null ||
  ! diff -q <(grep -E '^[0-9a-f]{64} ' "$local_out/before") "$work/second-undo" >/dev/null; then
  echo "media test: undo on the local disk did not give back the bytes before"
  failed=1
fi

# A write-protected card: the FAT16 image again, mounted read-only. The refusal names the medium
# once and nothing else, and nothing changes.
check_read_only() {
  local point=$1 out=$work/fat16 before expected
  umount "$point" && fusefat -o ro "$work/fat16.img" "$point" >/dev/null 2>&1 || return 1
  before=$(snapshot "$point")
  expected=$(printf '%s\n' "ROOT/demo2: refused" \
    "  The setup files were not created. No file was changed." "  ROOT: the medium is read-only" \
    "1 pair: 0 done, 1 refused, 0 left part new" "exit 1")
  local got
  got=$({
    env -i PATH="$PATH" HOME="$out/home" XDG_DATA_HOME="$out/data" \
      XDG_RUNTIME_DIR="$out/runtime" "$bin/wisetup" apply --selections "$point/line.selections.ini" \
      --backup "$point/demo2" --setup "$point/setup2" --overwrite --language en 2>&1
    echo "exit $?"
  } | sed "s|$point|ROOT|g")
  if [ "$got" != "$expected" ] || [ "$(snapshot "$point")" != "$before" ]; then
    echo "media test: fat16 read-only: not refused as one read-only medium"
    echo "$got"
    return 1
  fi
  echo "media test: fat16 read-only: refused in one line, nothing changed"
}

for medium in "${media[@]}"; do
  if ! mount_medium "$medium"; then
    echo "media test: $medium: the image could not be made or mounted"
    failed=1
    continue
  fi
  if ! run_line "$point" "$work/$medium"; then
    echo "media test: $medium: the demo line could not be laid out"
    failed=1
    continue
  fi
  for part in before window after-window headless; do
    if ! diff -u "$local_out/$part" "$work/$medium/$part" >"$work/$medium/$part.diff"; then
      echo "media test: $medium: $part differs from the local disk"
      head -n 20 "$work/$medium/$part.diff"
      failed=1
    fi
  done
  [ "$failed" -ne 0 ] || echo "media test: $medium: the demo line is byte-identical to the local disk"
  if [ "$medium" = fat16 ] && ! check_read_only "$point"; then failed=1; fi
done
exit "$failed"
