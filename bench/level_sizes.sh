#!/usr/bin/env bash
# Archive size at every pack level, ours against Info-ZIP's zip at the same
# level, on one tree: the check behind the pack-level mapping.
# Usage: bench/level_sizes.sh CORPUS_DIR [BUILD_DIR]
#   ZIP_BENCH=path: a zip_bench binary to use instead of building one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
corpus=$(cd "${1:?usage: level_sizes.sh CORPUS_DIR [BUILD_DIR]}" && pwd)
build=${2:-$here/../build}
bench=${ZIP_BENCH:-$build/bench/zip_bench}
[ -n "${ZIP_BENCH:-}" ] || ninja -C "$build" zip_bench >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/level-sizes-XXXXXX")
trap 'rm -rf "$work"' EXIT
printf '%-6s %14s %14s %8s\n' level ours_bytes zip_bytes ours/zip
for level in 1 2 3 4 5 6 7 8 9; do
  "$bench" create "$corpus" "$work/ours.zip" "$level" >/dev/null
  (cd "$corpus" && zip -q -r "-$level" "$work/zip.zip" .)
  ours=$(stat -c %s "$work/ours.zip")
  theirs=$(stat -c %s "$work/zip.zip")
  printf '%-6s %14s %14s %8.4f\n' "$level" "$ours" "$theirs" "$(awk "BEGIN { print $ours / $theirs }")"
  rm -f "$work/ours.zip" "$work/zip.zip"
done
