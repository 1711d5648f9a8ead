#!/usr/bin/env bash
# Writes the seeds of fuzz_iso_import: sessions made by `corvasta-machine
# iso` (disc bytes from sector 16 on, as the target reads its input), one
# with its Joliet descriptor blanked (the ISO tree is read) and one whose
# subfolder's record points back at the root (a loop).
# Usage: fuzz/make_iso_import_seeds.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=$1/corvasta-machine
out=$here/corpus/fuzz_iso_import
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
"$tool" create --windows xp "$work/m" >/dev/null
c=$("$tool" path "$work/m" 'C:\')
mkdir -p "$c/Seed/Sub Folder/Deeper/Deepest" "$c/Seed/Program Files Alpha" "$c/Seed/Program Files Beta"
printf 'hello\r\n' >"$c/Seed/README"
printf 'x' >"$c/Seed/Sub Folder/a.txt"
: >"$c/Seed/Sub Folder/Deeper/empty.txt"
printf 'deep' >"$c/Seed/Sub Folder/Deeper/Deepest/$(printf 'L%.0s' {1..100}).txt"
printf 'caf\xc3\xa9' >"$c/Seed/Caf$(printf '\xc3\xa9') Men$(printf '\xc3\xbc').txt"
printf 'a' >"$c/Seed/Program Files Alpha/alpha.txt"
printf 'b' >"$c/Seed/Program Files Beta/beta.txt"

"$tool" iso "$work/m" 'C:\Seed' "$work/seed.iso" >/dev/null
python3 - "$work/seed.iso" "$out" <<'PY'
import struct, sys
image = bytearray(open(sys.argv[1], "rb").read())
out = sys.argv[2]
# The header ends before the file area (sector 150); the zeros after its last
# sector and the files' data are left out, which keeps the seeds small.
def header_end(disc):
    end = 150
    while end > 16 and not any(disc[(end - 1) * 2048:end * 2048]):
        end -= 1
    return end
def save(name, disc):
    open(out + "/" + name, "wb").write(disc[16 * 2048:header_end(disc) * 2048])
save("joliet_tree", image)
# Without Joliet: the supplementary descriptor's type byte becomes 0.
iso_only = bytearray(image)
assert iso_only[17 * 2048 + 1:17 * 2048 + 6] == b"CD001" and iso_only[17 * 2048] == 2
iso_only[17 * 2048] = 0
save("iso_tree_only", iso_only)
# A loop: the Joliet root's first subdirectory record points at the root.
looped = bytearray(image)
svd = 17 * 2048
root_location = struct.unpack_from("<I", looped, svd + 156 + 2)[0]
p = root_location * 2048
p += looped[p]; p += looped[p]  # past "." and ".."
while looped[p] and not looped[p + 25] & 2:
    p += looped[p]
assert looped[p + 25] & 2, "no subdirectory record"
struct.pack_into("<I", looped, p + 2, root_location)
struct.pack_into(">I", looped, p + 6, root_location)
save("loop_to_root", looped)
PY
ls -l "$out"
