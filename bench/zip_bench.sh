#!/usr/bin/env bash
# Archive engine against Info-ZIP and 7-Zip on one corpus, in one run.
# Usage: bench/zip_bench.sh [--corpus generated|host] [BUILD_DIR] [MEGABYTES]
#   generated (default): zip_bench's profile-like tree, 300 MB unless given
#   host: real files copied from this host's /usr by host_corpus.py, 1000 MB
# Prints elapsed time, CPU time (user + system) and archive size per step.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kind=generated
if [ "${1:-}" = --corpus ]; then
  kind=${2:?--corpus needs generated or host}
  shift 2
fi
case $kind in
  generated) default_megabytes=300 ;;
  host) default_megabytes=1000 ;;
  *) echo "unknown corpus: $kind (generated or host)" >&2; exit 2 ;;
esac
build=${1:-$here/../build-zip}
megabytes=${2:-$default_megabytes}
[ -d "$build" ] || cmake -S "$here/.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" zip_bench >/dev/null
bench=$build/bench/zip_bench
work=$(mktemp -d "${TMPDIR:-/tmp}/zip-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
corpus=$work/corpus

if [ "$kind" = host ]; then
  echo "Copying a ${megabytes} MB corpus from /usr..."
  python3 "$here/host_corpus.py" "$corpus" "$megabytes"
else
  echo "Generating a ${megabytes} MB corpus..."
  "$bench" corpus "$corpus" "$megabytes"
fi
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sb "$corpus" | cut -f1) bytes"
echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
find "$corpus" -type f -exec cat {} + >/dev/null  # warm the page cache for every tool alike

printf '%-40s %9s %9s %14s\n' step elapsed_s cpu_s archive_bytes
# run NAME ARCHIVE COMMAND...: times the command, prints the archive's size.
run() {
  local name=$1 archive=$2
  shift 2
  local times
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>&1
  times=$(tail -1 "$work/time")
  read -r elapsed user system <<<"$times"
  local size=-
  [ -n "$archive" ] && [ -f "$archive" ] && size=$(stat -c %s "$archive")
  printf '%-40s %9.2f %9.2f %14s\n' "$name" "$elapsed" "$(awk "BEGIN { print $user + $system }")" "$size"
}

for level in 2 6; do
  run "corvasta level $level" "$work/ours$level.zip" "$bench" create "$corpus" "$work/ours$level.zip" $level
  run "zip -$level" "$work/zip$level.zip" sh -c "cd '$corpus' && zip -q -r -$level '$work/zip$level.zip' ."
done
for mx in 1 5; do
  run "7zz a -tzip -mx=$mx" "$work/7z$mx.zip" 7zz a -bd -tzip -mx=$mx "$work/7z$mx.zip" "$corpus/."
done
run "corvasta level 6 encrypted" "$work/enc.zip" "$bench" create "$corpus" "$work/enc.zip" 6 secret

# Each extraction goes to a folder of its own and nothing is deleted before
# the end: ext4 makes new inodes slowly for a few minutes after many were
# deleted, which would slow whichever tool came next.
run "corvasta extract, host FS (level 6)" "" "$bench" extract "$work/ours6.zip" "$work/x-host"
run "corvasta extract, machine FS (level 6)" "" \
  "$bench" extract-machine "$work/ours6.zip" "$work/x-machine"
run "unzip extract (level 6)" "" unzip -q -o "$work/ours6.zip" -d "$work/x-unzip"
run "corvasta test (level 6)" "" "$bench" test "$work/ours6.zip"
run "unzip -t (level 6)" "" unzip -tq "$work/ours6.zip"
run "corvasta test (encrypted)" "" "$bench" test "$work/enc.zip" secret
run "unzip -t (encrypted)" "" unzip -tq -P secret "$work/enc.zip"
echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
