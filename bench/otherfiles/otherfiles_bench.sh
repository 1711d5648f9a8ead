#!/usr/bin/env bash
# FindSizeofZip against `du -sb --apparent-size`, in one run, through the
# program's console (`corvasta --console --other-files-size NAME`): an Other
# Files entry ">C:\Bench\*" over a tree of about 13,000 files. The program's
# time includes its start on the machine; the start alone is measured too
# (`--other-files`, with no entry to list yet).
# Usage: bench/otherfiles/otherfiles_bench.sh [BUILD_DIR] [FILES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
files=${2:-13000}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" corvasta corvasta-machine >/dev/null
build=$(cd "$build" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/otherfiles-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
machine=$work/me
"$build/corvasta-machine" create --windows me "$machine" >/dev/null
c=$("$build/corvasta-machine" path "$machine" 'C:\')

source "$here/../timing.sh"
measured() {
  timed "$@"
  printf '%-44s %9.2f %9.2f\n' "$1" "$elapsed" "$cpu"
}
# best NAME COMMAND...: the shortest of five runs in seconds, to the
# millisecond, into `best` (the scan is short beside the program's start, so
# one run at /usr/bin/time's hundredths says little).
best() {
  shift
  best=
  for _ in 1 2 3 4 5; do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >"$work/out" 2>&1
    t1=$(date +%s.%N)
    best=$(awk -v a="$t0" -v b="$t1" -v m="$best" 'BEGIN { d = b - a; if (m == "" || d < m) m = d; printf "%.3f", m }')
  done
}

echo "Writing $files files in folders of 200..."
python3 - "$c/Bench" "$files" <<'PY'
import os, random, sys
root, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(5)
for i in range(count):
    folder = os.path.join(root, "Group %02d" % (i // 2000), "Folder %03d" % (i // 200))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file%06d.dat" % i), "wb") as f:
        f.write(b"x" * rng.randint(0, 9000))
PY
program=("$build/corvasta" --console --machine "$machine")
"${program[@]}" --other-files >/dev/null
printf '%-44s %9s %9s\n' "step" "seconds" "cpu"
measured "program start (--other-files)" "${program[@]}" --other-files
"${program[@]}" --other-files-entry Bench --include '>C:\Bench\*' >/dev/null
measured "--other-files-size Bench" "${program[@]}" --other-files-size Bench
ours=$(grep 'Number of Files' "$work/out")
measured "du -sb --apparent-size" du -sb --apparent-size "$c/Bench"
best start "${program[@]}" --other-files
start=$best
best size "${program[@]}" --other-files-size Bench
size=$best
best du du -sb --apparent-size "$c/Bench"
du=$best
awk -v s="$start" -v z="$size" -v d="$du" 'BEGIN {
  printf "best of 5: start %.3f s, start + scan %.3f s, scan %.3f s, du %.3f s, scan / du %.2f\n", s, z, z - s, d, (z - s) / d }'
du -sb --apparent-size "$c/Bench" >"$work/out"
echo "corvasta: $ours; find: $(find "$c/Bench" -type f | wc -l) files;" \
  "du: $(cut -f1 "$work/out") bytes (folders included)"
