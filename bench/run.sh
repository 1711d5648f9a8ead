#!/usr/bin/env bash
# `make bench`: every benchmark script, one after the other, on one build.
# Usage: bench/run.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
for script in "$here"/*_bench.sh "$here"/*/*_bench.sh; do
  [ -x "$script" ] || continue
  echo "== ${script#"$here"/}"
  "$script" "$build"
done
