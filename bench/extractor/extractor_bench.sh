#!/usr/bin/env bash
# The Extractor against Info-ZIP's unzip, in one run, through the program's
# console (`corvasta --console --open extractor`, the backup and the files to
# extract given by an answers file): listing an archive of 100,000 entries
# (the program lists every path; a mask that matches nothing extracts
# nothing) against `unzip -l`, and extracting one file, the first and then
# the last, of a 1 GB archive of 20,000 entries against `unzip -o A F -d D`.
# The program's times include its start on the machine; extractor_steps then
# times the same steps inside one process (and the Qt tree of the listing).
# Usage: bench/extractor/extractor_bench.sh [BUILD_DIR] [LIST_ENTRIES] [MEGABYTES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
entries=${2:-100000}
megabytes=${3:-1000}
[ -d "$build" ] || cmake -S "$here/../.." -B "$build" -G Ninja >/dev/null
ninja -C "$build" corvasta corvasta-machine extractor_steps >/dev/null
build=$(cd "$build" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/extractor-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
machine=$work/me
"$build/corvasta-machine" create --windows me "$machine" >/dev/null
c=$("$build/corvasta-machine" path "$machine" 'C:\')
mkdir -p "$c/Bench"

source "$here/../timing.sh"
# measured NAME COMMAND...: one line of the table.
measured() {
  timed "$@"
  printf '%-44s %9.2f %9.2f\n' "$1" "$elapsed" "$cpu"
}
# answers ARCHIVE MASK: the answers that choose C:\Bench\ARCHIVE and MASK.
answers() {
  printf 'Select a Corvasta Backup File => C:\\Bench\\%s\nFiles to extract => %s\n' "$1" "$2" \
    >"$work/answers"
}
extractor=("$build/corvasta" --console --machine "$machine" --answers "$work/answers" --open extractor)

echo "Writing $entries small files and their archive (zip -r -q)..."
python3 - "$work/list" "$entries" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = os.path.join(root, "Folder %03d" % (i // 1000))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "Document number %06d.txt" % i), "w") as f:
        f.write("entry %d\n" % i)
PY
(cd "$work/list" && zip -r -q "$c/Bench/list.zip" .)
rm -rf "$work/list"
echo "Writing 20,000 files of ${megabytes} MB in all and their archive (zip -r -q -1)..."
python3 - "$work/big" "$megabytes" <<'PY'
import os, random, sys
root, budget = sys.argv[1], int(sys.argv[2]) << 20
rng = random.Random(17)
chunk = os.urandom(1 << 20)
each = budget // 20000
for i in range(20000):
    folder = os.path.join(root, "Part %02d" % (i // 1000))
    os.makedirs(folder, exist_ok=True)
    size = rng.randint(each // 2, each * 3 // 2)
    with open(os.path.join(folder, "Record %05d.bin" % i), "wb") as f:
        start = rng.randrange(len(chunk) - size) if size < len(chunk) else 0
        f.write(chunk[start:start + size])
PY
(cd "$work/big" && zip -r -q -1 "$c/Bench/big.zip" .)
rm -rf "$work/big"
first=$(zipinfo -1 "$c/Bench/big.zip" | grep -v '/$' | sed -n 1p)
last=$(zipinfo -1 "$c/Bench/big.zip" | grep -v '/$' | tail -1)
ls -l "$c/Bench"
cat "$c/Bench/"*.zip >/dev/null # the page cache warm for both

echo "load before measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%-44s %9s %9s\n' step elapsed_s cpu_s
answers list.zip "nothing.matches"
measured "corvasta Extractor: list $entries entries" "${extractor[@]}"
grep -c 'Document number' "$work/out" | sed 's/^/  paths listed: /'
measured "unzip -l" unzip -l "$c/Bench/list.zip"
for which in first last; do
  name=${!which}
  rm -rf "$work/unzip" "$c/${name%%/*}"
  answers big.zip "${name##*/}"
  measured "corvasta Extractor: the $which file" "${extractor[@]}"
  tail -3 "$work/out" | sed 's/^/  /'
  measured "unzip -o A F -d D: the $which file" unzip -o -q "$c/Bench/big.zip" "$name" -d "$work/unzip"
done
# unzip's one-file extraction to the millisecond (best of five), beside the
# in-process figures below, which /usr/bin/time's hundredths cannot resolve.
for which in first last; do
  name=${!which}
  best_ms=
  for _ in 1 2 3 4 5; do
    rm -rf "$work/unzip"
    t0=$(date +%s%N)
    unzip -o -q "$c/Bench/big.zip" "$name" -d "$work/unzip"
    t1=$(date +%s%N)
    d=$(((t1 - t0) / 1000000))
    if [ -z "$best_ms" ] || [ "$d" -lt "$best_ms" ]; then best_ms=$d; fi
  done
  printf '%-44s %9.3f\n' "unzip, the $which file (best of 5)" "$(awk -v m="$best_ms" 'BEGIN { print m / 1000 }')"
done
echo "The same steps in one process, without the program's start on the machine:"
"$build/bench/extractor/extractor_steps" "$c/Bench/list.zip" "$c/Bench/big.zip" "$first" "$last"
echo "load after measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
