#!/usr/bin/env bash
# The restore of a compressed config 1 set (User Profile and Other Files) of
# a sample Windows ME machine against `unzip -o -qq` of the same archives to
# the same places, in one run: elapsed time, CPU time, files and bytes, and
# whether both leave the same files.
# Usage: bench/backup/restore_bench.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
megabytes=${2:-300}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" backup_bench >/dev/null
bench=$build/bench/backup/backup_bench
work=$(mktemp -d "${TMPDIR:-/tmp}/restore-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
machine=$work/machine

echo "Making a sample Windows ME machine with ${megabytes} MB in its profile..."
"$bench" machine "$machine" "$megabytes" me
echo "Backing up config 1 (User Profile and Other Files, compressed)..."
"$bench" backup-config1 "$machine" >"$work/backup"
set=$(sed -n 1p "$work/backup")
set_host=$(sed -n 2p "$work/backup")
sed -n 3p "$work/backup"

# sums: checksums of every file below the folders config 1 takes, by path.
sums() {
  local folder
  while read -r folder; do
    (cd "$folder" && find . -type f -print0 | sort -z | xargs -0 sha1sum | sed "s|  \./|  $folder/|")
  done <"$work/folders"
}
# run NAME COMMAND...: times the command; elapsed and cpu hold the figures.
run() {
  local name=$1
  shift
  sync # writes of the step before are on disk before the clock starts
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >"$work/out" 2>&1 || {
    echo "$name failed:"
    cat "$work/out"
    exit 1
  }
  read -r elapsed user system <"$work/time"
  cpu=$(awk "BEGIN { print $user + $system }")
}
# report NAME: one line of the table for the tree as the last run left it.
report() {
  sums >"$work/$1.sum"
  local files bytes
  files=$(wc -l <"$work/$1.sum")
  bytes=$(xargs -d '\n' du -cb <"$work/folders" | tail -1 | cut -f1)
  printf '%-38s %9.2f %9.2f %8s %12s\n' "$2" "$elapsed" "$cpu" "$files" "$bytes"
}

"$bench" damage "$machine" "$work/folders" | sed 's/^/damage: /'
archives=("$set_host"/*.zip)
echo "set: $set (${#archives[@]} archives, $(du -cb "${archives[@]}" | tail -1 | cut -f1) bytes)"
# Other Files archives hold "C:\..." names and the profile archives their
# full paths as well: each is extracted beside a "C:" link to drive C.
for archive in "${archives[@]}"; do
  zipinfo -1 "$archive" | sed -n "1s|^|$(basename "$archive"): first entry |p"
done
mkdir "$work/peer"
ln -s "$machine/drives/c" "$work/peer/C:"

find "$machine/drives/c" -type f -exec cat {} + >/dev/null # the page cache warm for both
echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%-38s %9s %9s %8s %12s\n' step elapsed_s cpu_s files bytes
run "corvasta restore" "$bench" restore "$machine" "$set"
report ours "corvasta restore (Restore button)"
sed 's/^/  /' "$work/out"

"$bench" damage "$machine" "$work/folders" >/dev/null
find "$machine/drives/c" -type f -exec cat {} + >/dev/null
run "unzip -o -qq" bash -c 'for archive in "${@:2}"; do unzip -o -qq "$archive" -d "$1" || exit 1; done' \
  unzip "$work/peer" "${archives[@]}"
report peer "unzip -o -qq (same archives)"
echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"

if cmp -s "$work/ours.sum" "$work/peer.sum"; then
  echo "same files: yes ($(wc -l <"$work/ours.sum") checksums alike)"
else
  echo "same files: NO"
  diff "$work/ours.sum" "$work/peer.sum" | head -20
  exit 1
fi
