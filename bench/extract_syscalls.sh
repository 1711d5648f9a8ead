#!/usr/bin/env bash
# Host calls per extracted file through a machine's file system, counted by
# strace: a figure that, unlike times, does not depend on the machine's load.
# Usage: bench/extract_syscalls.sh ZIP [BUILD_DIR]
# Prints the calls of the whole run by name, then the total per file with
# and without the workers' hand-overs (futex) and the archive reads (pread64).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zip=${1:?usage: extract_syscalls.sh ZIP [BUILD_DIR]}
build=${2:-$here/../build}
command -v strace >/dev/null || { echo "strace is needed" >&2; exit 2; }
ninja -C "$build" zip_bench >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/extract-calls-XXXXXX")
trap 'rm -rf "$work"' EXIT
strace -f -c -o "$work/calls" "$build/bench/zip_bench" extract-machine "$(realpath "$zip")" \
  "$work/machine" >"$work/out"
files=$(cut -d' ' -f1 "$work/out")
awk 'NF >= 5 && $NF != "total" && $1 ~ /^[0-9.]+$/' "$work/calls" | sort -k4 -n -r |
  awk '{ printf "%-20s %9d\n", $NF, $4 }'
awk -v files="$files" '
  NF >= 5 && $1 ~ /^[0-9.]+$/ && $NF != "total" {
    all += $4
    if ($NF != "futex" && $NF != "pread64") own += $4
  }
  END {
    printf "%d files: %.1f calls a file, %.1f without futex and pread64\n",
           files, all / files, own / files
  }' "$work/calls"
