#!/usr/bin/env bash
# A full compressed backup of a sample machine's profile folders against
# `zip -r -2` of the same folders, in one run: elapsed time, CPU time and
# bytes written.
# Usage: bench/backup/backup_bench.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
megabytes=${2:-300}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" backup_bench >/dev/null
bench=$build/bench/backup/backup_bench
work=$(mktemp -d "${TMPDIR:-/tmp}/backup-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "Making a sample Windows XP machine with ${megabytes} MB in its profile..."
"$bench" machine "$work/machine" "$megabytes"
profile_bytes=$(du -sb "$work/machine/drives/c/Documents and Settings" | cut -f1)
echo "profile folders: $profile_bytes bytes"
echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
find "$work/machine/drives/c/Documents and Settings" -type f -exec cat {} + >/dev/null

printf '%-34s %9s %9s %14s\n' step elapsed_s cpu_s bytes_written
# run NAME COMMAND...: times the command.
run() {
  local name=$1
  shift
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >"$work/out" 2>&1 || {
    cat "$work/out"
    exit 1
  }
  read -r elapsed user system <"$work/time"
  cpu=$(awk "BEGIN { print $user + $system }")
}

run "corvasta profile backup (level 2)" "$bench" backup "$work/machine" 2 "$work/folders"
ours=$(du -cb "$work/machine/drives/c/BENCHSET/"*.zip | tail -1 | cut -f1)
printf '%-34s %9.2f %9.2f %14s\n' "corvasta profile backup (level 2)" "$elapsed" "$cpu" "$ours"
mapfile -t folders <"$work/folders"
run "zip -r -2 (same folders)" zip -q -r -2 "$work/peer.zip" "${folders[@]}"
printf '%-34s %9.2f %9.2f %14s\n' "zip -r -2 (same folders)" "$elapsed" "$cpu" "$(stat -c %s "$work/peer.zip")"
echo "folders archived: ${#folders[@]}"
echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
