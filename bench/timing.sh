# Sourced by benchmark scripts, after they set `work` to their scratch folder.
# timed NAME COMMAND...: runs the command after a sync (the writes of the step
# before are on disk before the clock starts), its output in $work/out; sets
# `elapsed` and `cpu` (user + system) in seconds. A failing command ends the
# script with the end of its output.
timed() {
  local name=$1
  shift
  sync
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >"$work/out" 2>&1 || {
    echo "$name failed:"
    tail -20 "$work/out"
    exit 1
  }
  local user system
  read -r elapsed user system <"$work/time"
  cpu=$(awk "BEGIN { print $user + $system }")
}
