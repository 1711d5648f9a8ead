#!/usr/bin/env bash
# Demo: the sample Windows ME machine the program uses when no machine is
# named, created on first use, and what it holds; then a scheduled backup of
# config 1 on it, the set it made and the activity log entry.
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

# A scheduled backup of config 1 (Registry, WinConfig files and the default
# User Profile items to a set under C:\Backups), without questions.
if [ -x "$program" ]; then
  echo
  echo "corvasta --console --machine $machine schedule 1"
  "$program" --console --machine "$machine" schedule 1 || echo "(the backup reported an error)"
  settings=$("$tool" path "$machine" 'C:\Program Files\Corvasta\vastel.ini')
  set=$(tr -d '\r' <"$settings" | awk -F= '/^\[/{s=$0} s=="[Backup Directories]" && $1 ~ /^[0-9]+$/{print $2}' | tail -n 1)
  if [ -n "$set" ]; then
    echo
    echo "The newest backup set: $set"
    host=$("$tool" path "$machine" "$set")
    (cd "$host" && ls -l | sed 's/^/  /')
    for archive in "$host"/*; do
      case "$archive" in
        *z|*.zip|*.daz) echo; unzip -l "$archive" | sed 's/^/  /' ;;
      esac
    done
  fi
  echo
  echo "The activity log entry (results.txt)"
  results=$("$tool" path "$machine" 'C:\Program Files\Corvasta\results.txt')
  [ -f "$results" ] && tr -d '\r' <"$results" | sed -n '1,/<<< Ended at/p' | sed 's/^/  /'
fi
