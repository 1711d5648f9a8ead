#!/usr/bin/env bash
# One CD session of a machine folder written as an image by `corvasta-machine
# iso` against genisoimage and xorrisofs (-J -joliet-long: names up to 103
# characters, as the builder writes) of the same host folder, in one
# run: elapsed time, CPU time and image size, with `cat` of every file as the
# floor. Two trees: a generated one (~650 MB, ~2000 files of mixed sizes,
# long names with blanks) and real files copied from this host's /usr.
# Usage: bench/iso/iso_bench.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
megabytes=${2:-650}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" corvasta-machine >/dev/null
tool=$(cd "$build" && pwd)/corvasta-machine
for peer in genisoimage xorrisofs; do
  command -v "$peer" >/dev/null || { echo "$peer is not installed"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/iso-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$here/../timing.sh"
# row STEP [IMAGE]: the figures of the last run, with the image's size and the
# files its Joliet tree lists (isoinfo -f), which shows what a tool left out.
row() {
  local size=- files=-
  if [ -n "${2:-}" ]; then
    size=$(stat -c %s "$2")
    files=$(isoinfo -J -f -i "$2" 2>/dev/null | wc -l)
  fi
  printf '%-34s %9.2f %9.2f %14s %8s\n' "$1" "$elapsed" "$cpu" "$size" "$files"
}

# measure TREE_LABEL HOST_FOLDER MACHINE: the four runs over one tree.
measure() {
  local label=$1 folder=$2 machine=$3
  local files bytes
  files=$(find "$folder" -type f | wc -l)
  bytes=$(du -sb "$folder" | cut -f1)
  echo "== $label: $files files, $bytes bytes"
  find "$folder" -type f -exec cat {} + >/dev/null # the page cache warm for every run
  echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  printf '%-34s %9s %9s %14s %8s\n' step elapsed_s cpu_s image_bytes entries
  echo "  (entries: files and folders in the image's Joliet tree; the folder holds $(find "$folder" -mindepth 1 | wc -l))"
  timed cat find "$folder" -type f -exec cat {} +
  row "cat of every file"
  rm -f "$work"/*.iso
  timed corvasta "$tool" iso "$machine" 'C:\Tree' "$work/ours.iso"
  row "corvasta-machine iso" "$work/ours.iso"
  grep -c '^refused' "$work/out" | sed 's/^/  files refused: /' || true
  rm -f "$work/ours.iso"
  timed genisoimage genisoimage -J -joliet-long -quiet -o "$work/genisoimage.iso" "$folder"
  row "genisoimage -J -joliet-long" "$work/genisoimage.iso"
  rm -f "$work/genisoimage.iso"
  timed xorrisofs xorrisofs -J -joliet-long -o "$work/xorrisofs.iso" "$folder"
  row "xorrisofs -J -joliet-long" "$work/xorrisofs.iso"
  rm -f "$work/xorrisofs.iso"
  # The same session again, to show how much the first run's figure varies.
  timed corvasta "$tool" iso "$machine" 'C:\Tree' "$work/ours.iso"
  row "corvasta-machine iso (again)" "$work/ours.iso"
  rm -f "$work/ours.iso"
  echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
}

# new_machine NAME: an XP machine with an empty C:\Tree; prints its host folder.
new_machine() {
  "$tool" create --windows xp "$work/$1" >/dev/null
  mkdir -p "$("$tool" path "$work/$1" 'C:\')/Tree"
  "$tool" path "$work/$1" 'C:\Tree'
}

generated=$(new_machine generated)
python3 "$here/iso_corpus.py" "$generated" "$megabytes"
measure "generated tree" "$generated" "$work/generated"
rm -rf "$work/generated"

real=$(new_machine real)
python3 "$here/../host_corpus.py" "$real" "$megabytes" >/dev/null
measure "files from /usr" "$real" "$work/real"
