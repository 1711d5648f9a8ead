#!/usr/bin/env bash
# RegPack of a grown registry file against reading and writing that file
# once, in one run: a Windows XP sample whose software hive is grown to
# 40 MB and a Windows 98 sample whose system.dat is grown to 10 MB, a third
# of each free (regpack_bench grow). For each: the elapsed and CPU time of
# the whole RegPack (`corvasta --console schedule R`, then
# `corvasta-machine boot`, which finishes it), of `cat FILE > COPY` of the
# grown file, the file's size before and after, and the bound a compact
# rewrite of its live records can reach (regpack_bench bound).
# Usage: bench/regpack/regpack_bench.sh [BUILD_DIR] [XP_MEGABYTES] [98_MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
xp_megabytes=${2:-40}
w98_megabytes=${3:-10}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 corvasta corvasta-machine regpack_bench >/dev/null
tool=$build/corvasta-machine
bench=$build/bench/regpack/regpack_bench
work=$(mktemp -d "${TMPDIR:-/tmp}/regpack-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# timed NAME COMMAND...: runs the command; elapsed and cpu hold the figures.
timed() {
  local name=$1
  shift
  sync
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" >"$work/out" 2>&1 || {
    echo "$name failed:"
    cat "$work/out"
    exit 1
  }
  end=$(date +%s%N)
  elapsed=$(awk "BEGIN { print ($end - $start) / 1e9 }")
  read -r user system <"$work/time"
  cpu=$(awk "BEGIN { print $user + $system }")
}

# one EDITION WINPATH FORMAT MEGABYTES
one() {
  local edition=$1 winpath=$2 format=$3 megabytes=$4
  local machine=$work/$edition
  "$tool" create --windows "$edition" "$machine" >/dev/null
  if [ "$edition" = 98 ]; then
    local settings
    settings=$("$tool" path "$machine" 'C:\Program Files\Corvasta\vastel.ini')
    printf '[RegPack]\r\nMode=1\r\n' >>"$settings" # Expanded RegPack
  fi
  local file
  file=$("$tool" path "$machine" "$winpath")
  "$bench" grow "$file" "$format" "$megabytes"
  cp "$file" "$work/grown"
  local before bound
  before=$(stat -c %s "$file")
  bound=$("$bench" bound "$file" "$format")
  cat "$file" >/dev/null # the page cache warm for both
  echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  timed "corvasta schedule R" "$build/corvasta" --console --machine "$machine" \
    --edition "$edition" schedule R
  local program_s=$elapsed program_cpu=$cpu
  timed "corvasta-machine boot" "$tool" boot "$machine"
  local boot_s=$elapsed boot_cpu=$cpu
  local after
  after=$(stat -c %s "$file")
  timed "cat" bash -c 'cat "$1" >"$2"' cat "$work/grown" "$work/copy"
  local cat_s=$elapsed cat_cpu=$cpu
  rm -f "$work/copy" "$work/grown"
  local total
  total=$(awk "BEGIN { print $program_s + $boot_s }")
  printf '%s %s: %d bytes grown, %d bytes after RegPack, live-record bound %d (%.4f x)\n' \
    "$edition" "$winpath" "$before" "$after" "$bound" "$(awk "BEGIN { print $after / $bound }")"
  printf '  RegPack %.3f s elapsed (in Windows %.3f s, cpu %.2f; boot %.3f s, cpu %.2f)\n' \
    "$total" "$program_s" "$program_cpu" "$boot_s" "$boot_cpu"
  printf '  cat FILE > COPY %.3f s elapsed (cpu %.2f): RegPack / read+write = %s\n' \
    "$cat_s" "$cat_cpu" "$(awk "BEGIN { if ($cat_s > 0) print $total / $cat_s; else print \"inf\" }")"
  echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
}

one xp 'C:\WINDOWS\system32\config\software' nt "$xp_megabytes"
one 98 'C:\WINDOWS\SYSTEM.DAT' 9x "$w98_megabytes"
