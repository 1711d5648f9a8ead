#!/usr/bin/env bash
# Demo: the sample Windows ME machine the program uses when no machine is
# named, created on first use, and what it holds.
# Usage: tools/demo.sh BUILD_DIR
set -euo pipefail

build=${1:-build}
tool="$build/corvasta-machine"
if [ ! -x "$tool" ]; then
  echo "demo: $tool not found; run 'make build' first" >&2
  exit 1
fi

# The folder the program picks without --machine: CORVASTA_MACHINE, else
# $XDG_DATA_HOME/corvasta/machine (an unset or relative XDG_DATA_HOME means
# ~/.local/share).
if [ -n "${CORVASTA_MACHINE:-}" ]; then
  machine=$CORVASTA_MACHINE
else
  data=${XDG_DATA_HOME:-}
  [[ "$data" == /* ]] || data="$HOME/.local/share"
  machine="$data/corvasta/machine"
fi

if [ -f "$machine/machine.ini" ]; then
  echo "Using the machine in $machine"
else
  "$tool" create --windows me "$machine"
fi

echo
"$tool" info "$machine"

list() {
  local winpath=$1
  local host
  host=$("$tool" path "$machine" "$winpath")
  echo
  echo "$winpath"
  (cd "$host" && ls -p | sed 's/^/  /')
}

list 'C:\'
list 'C:\WINDOWS'
list 'C:\Program Files\Corvasta'
list 'A:\'
list 'D:\'

# The program starting on the sample: the entry sequence, the window start
# sequence and closing, with the console front end.
program="$build/corvasta"
if [ -x "$program" ]; then
  echo
  echo "corvasta --console --machine $machine"
  "$program" --console --machine "$machine"
  echo
  echo "C:\\Program Files\\Corvasta after the start"
  (cd "$("$tool" path "$machine" 'C:\Program Files\Corvasta')" && ls -p | sed 's/^/  /')
fi
