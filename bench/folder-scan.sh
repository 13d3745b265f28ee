#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Times find, index, index --pictures and duplicates on a made game folder of 2,000 dictionaries
# (about 1 GiB; 200 of them inside two IMG archives) against cat of every file, page cache
# warm, each command alternated with its anchor; prints min / median / max of PAIRS pairs
# (default 5) and each command's peak memory.
#   bench/folder-scan.sh BUILD_DIR
# BUILD_DIR holds a Release build with txdtool. ImageMagick (convert) makes the pictures. The folder is
# made in a temporary folder that is removed afterwards.
set -eu

build=$(cd "${1:?usage: folder-scan.sh BUILD_DIR}" && pwd)
pairs=${PAIRS:-5}
txdtool=$build/txdtool/txdtool
work=$(mktemp -d "${TMPDIR:-/tmp}/txd-scan-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
game=$work/game

. "$(dirname "$0")/timing.sh"

# In place of the shared timed and compare: status 1 is no failure here, and the anchor is cat.
# Runs the command and prints how many microseconds it took; its output is dropped. Status 1
# (nothing found) is find's and duplicates' normal answer here.
timed() {
    start=$(microseconds)
    "$@" >/dev/null 2>&1 || [ $? -eq 1 ] || { echo "folder-scan.sh: failed: $*" >&2; exit 1; }
    echo $(($(microseconds) - start))
}

cat_all() { find "$game" -type f -exec cat {} + >/dev/null; }

# compare LABEL PROJECT-COMMAND...: against cat of every file of the folder.
compare() {
    label=$1
    shift
    : >"$work/times"
    i=0
    while [ $i -lt "$pairs" ]; do
        p=$(timed "$@")
        a=$(timed cat_all)
        echo "$p $a" >>"$work/times"
        i=$((i + 1))
    done
    peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1)
    printf '| %s | %s s | %s s | %s | %.1f MiB |\n' "$label" \
        "$(cut -d' ' -f1 "$work/times" | spread 1000000)" \
        "$(cut -d' ' -f2 "$work/times" | spread 1000000)" \
        "$(awk '{ print $1 / $2 }' "$work/times" | spread 1)" "$(echo "$peak / 1024" | bc -l)"
}

# Ten different dictionaries of about 590 KiB, as games hold them: mostly block-compressed,
# an uncompressed 32-bit texture and an 8-bit one; half of them on platform 5, half on 9.
echo "Making the game folder in $game ..."
mkdir -p "$game/base" "$game/models/generic" "$game/txd" "$game/archive-entries"
for i in 0 1 2 3 4 5 6 7 8 9; do
    base=$game/base/b$i.txd
    convert -size 1024x512 -seed $i plasma: "$work/p512.png"
    convert -size 256x256 -seed $((i + 10)) plasma: "$work/p256.png"
    convert -size 128x128 -seed $((i + 20)) plasma: "$work/p128.png"
    "$txdtool" new "$base"
    "$txdtool" add -q "$base" "$work/p512.png" dxt1 "wall_$i" --fast
    "$txdtool" add -q "$base" "$work/p256.png" rgba32 "sign_$i"
    "$txdtool" add -q "$base" "$work/p256.png" dxt5 "glass_$i" --fast
    "$txdtool" add -q "$base" "$work/p128.png" pal8 "logo_$i"
    # Half on platform 5 (uncompressed levels swizzled), half on platform 9.
    if [ $((i % 2)) -eq 1 ]; then "$txdtool" platform -q "$base" 9; fi
done
i=0
while [ $i -lt 2000 ]; do
    n=$(printf '%04d' $i)
    case $((i % 3)) in 0) folder=models/generic ;; 1) folder=txd ;; *) folder=base/more ;; esac
    [ $i -ge 1800 ] && folder=archive-entries
    mkdir -p "$game/$folder"
    cp "$game/base/b$((i % 10)).txd" "$game/$folder/d$n.txd"
    i=$((i + 1))
done
"$txdtool" img new "$game/gta3.img"
"$txdtool" img new "$game/gta_int.img"
"$txdtool" img add -q "$game/gta3.img" $(ls "$game"/archive-entries/*.txd | head -n 100)
"$txdtool" img add -q "$game/gta_int.img" $(ls "$game"/archive-entries/*.txd | tail -n 100)
rm -r "$game/archive-entries"
files=$(find "$game" -type f | wc -l)
bytes=$(find "$game" -type f -exec cat {} + | wc -c)
cat_all
cat_all
echo "$files files (two archives), $bytes bytes; $pairs pairs of runs, each command right before cat of every file"
echo
echo '| command | project min / median / max | cat min / median / max | ratio min / median / max | peak memory |'
echo '|---|---|---|---|---|'
compare 'find -i "*sign_3*"' "$txdtool" find -i '*sign_3*' "$game"
compare 'index' "$txdtool" index "$game"
compare 'index --pictures' "$txdtool" index --pictures "$game"
compare 'duplicates' "$txdtool" duplicates "$game"
echo
echo "Goals: find and index at most 1.5 x cat, index --pictures and duplicates at most 4 x cat, 64 MiB of memory."
