#!/usr/bin/env bash
# Runs one libFuzzer binary for a few seconds on a copy of its seed corpus.
# Usage: run-fuzzer.sh BINARY SEED_DIR WORK_DIR SECONDS
set -euo pipefail
binary=$1 seeds=$2 work=$3 seconds=$4
if [ ! -x "$binary" ]; then
  echo "fuzzer $binary was not built (run 'make fuzz-build')" >&2
  exit 1
fi
rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -r "$seeds"/. "$work/corpus/" 2>/dev/null || true
exec "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"
