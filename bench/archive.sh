#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Times txdtool on a version-2 archive of 16,000 entries and 1 GiB (sparse, made in a temporary
# folder) against what the machine needs for the same bytes anyway, each command alternated
# with its anchor, and prints min / median / max of PAIRS pairs (default 5) and the peak memory.
#   bench/archive.sh BUILD_DIR
set -eu

build=$(cd "${1:?usage: archive.sh BUILD_DIR}" && pwd)
pairs=${PAIRS:-5}
txdtool=$build/txdtool/txdtool
work=$(mktemp -d "${TMPDIR:-/tmp}/txd-archive-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
img=$work/big.img

. "$(dirname "$0")/timing.sh"

# A dictionary of about 1 MiB as the entry e.txd, and one of about 2 MiB to replace it with.
"$build/tools/txdgen" --set rgba-1mib "$work/e.txd"
"$build/tools/txdgen" --set rgba-2mib "$work/larger.txd"
python3 - "$img" "$work/e.txd" <<'PY'
import os, struct, sys
path, entry = sys.argv[1], open(sys.argv[2], "rb").read()
count, sectors = 16000, 32  # 64 KiB each: 1000 MiB of data
first = (8 + 32 * count + 2047) // 2048
with open(path, "wb") as f:
    f.write(b"VER2" + struct.pack("<I", count))
    for i in range(count - 1):
        f.write(struct.pack("<II", first + i * sectors, sectors) + (b"f%05d.dat" % i).ljust(24, b"\0"))
    end = first + (count - 1) * sectors
    f.write(struct.pack("<II", end, (len(entry) + 2047) // 2048) + b"e.txd".ljust(24, b"\0"))
    f.seek(end * 2048)
    f.write(entry.ljust((len(entry) + 2047) // 2048 * 2048, b"\0"))
PY
texture=$("$txdtool" list "$img:e.txd" | sed -n 2p | cut -f2)
mkdir "$work/add"
directory_bytes=$((8 + 32 * 16000))
size=$(wc -c <"$img")
cat "$img" >/dev/null  # warm the page cache

echo "big.img: $size bytes (sparse), 16000 entries; e.txd: $(wc -c <"$work/e.txd") bytes; $pairs pairs"
echo
echo '| command | project min / median / max | anchor | anchor min / median / max | ratio min / median / max |'
echo '|---|---|---|---|---|'
compare 'img list big.img' 'head -c DIRECTORY big.img' "$txdtool" img list "$img" -- \
    sh -c 'head -c "$1" "$2" >/dev/null' sh "$directory_bytes" "$img"
compare 'flip big.img:e.txd NAME' 'cp + sync e.txd' "$txdtool" flip "$img:e.txd" "$texture" -- \
    copy_and_sync "$work/e.txd" "$work/copy.txd"
compare 'img add big.img e.txd (larger, moved)' 'cp + sync e.txd' \
    sh -c 'cp "$1" "$3/e.txd" && "$2" img add "$4" "$3/e.txd"' sh "$work/larger.txd" "$txdtool" \
    "$work/add" "$img" -- copy_and_sync "$work/e.txd" "$work/copy.txd"
compare 'img pack big.img' 'cp + sync big.img' "$txdtool" img pack "$img" -- \
    copy_and_sync "$img" "$work/copy.img"

peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
echo
echo "peak memory of img list big.img: $(($(peak "$txdtool" img list "$img") / 1024)) MiB;" \
     "of flip big.img:e.txd: $(($(peak "$txdtool" flip "$img:e.txd" "$texture") / 1024)) MiB"
