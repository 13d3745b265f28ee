#!/bin/sh
# Kills txdtool with SIGKILL at random moments of changes to an archive, over and over, and
# checks after each kill that every entry holds its old or its new content and nothing else,
# and that the archive reads without a fault. Four kinds of change, TRIALS each:
#   add    img add of an entry that alternates between 1 MiB and 3 MiB (it moves each time)
#   edit   txdtool alpha ARCHIVE:e.txd, the dictionary entry saved back into the archive
#   pack   img pack after the other two have left free sectors behind
#   pack1  img pack of a version-1 archive (two files) after an img add left free sectors
#   tools/archive-kill-test.sh BUILD_DIR [TRIALS] [MIB]
# BUILD_DIR holds a build with txdtool and txdgen (make build gives one in build/).
set -eu
build=$(cd "${1:?usage: archive-kill-test.sh BUILD_DIR [TRIALS] [MIB]}" && pwd)
trials=${2:-20}
mib=${3:-200}
txdtool=$build/txdtool/txdtool
work=$(mktemp -d "${TMPDIR:-/tmp}/txd-archive-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
img=$work/game.img
img1=$work/game1.img
cd "$work"

mkdir entries
i=0
while [ "$i" -lt "$mib" ]; do
    head -c 1048576 /dev/urandom >"entries/e$i.bin"
    i=$((i + 1))
done
head -c 1048576 /dev/urandom >small.bin
head -c 3145728 /dev/urandom >large.bin
"$build/tools/txdgen" entries/e.txd
"$txdtool" img new "$img"
"$txdtool" img add "$img" entries/* >/dev/null
texture=$("$txdtool" list "$img:e.txd" | sed -n 2p | cut -f2)
"$txdtool" img new --version=1 "$img1"
"$txdtool" img add "$img1" entries/* >/dev/null

# The content of every entry, one "NAME HASH" line each, sorted.
contents() {
    rm -rf out && mkdir out
    "$txdtool" img extract "$img" -C out >/dev/null
    (cd out && sha256sum -- * | awk '{ print $2, $1 }' | sort)
}

# trial KIND TARGET WANT RUN_MS COMMAND...: runs the command in the background, kills it after a
# random share of RUN_MS and checks the archive: every entry but TARGET as before, TARGET as
# before or with the content whose hash is WANT. Pack changes no content: its "new" is a new
# archive file in place of the old one.
trial() {
    kind=$1 target=$2 want=$3 run_ms=$4
    shift 4
    contents >before.txt
    inode=$(stat -c %i "$img")
    "$@" >/dev/null 2>&1 &
    pid=$!
    delay=$(shuf -i 0-"$run_ms" -n 1)
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    if kill -9 "$pid" 2>/dev/null; then killed=$((killed + 1)); fi
    wait "$pid" 2>/dev/null || true
    if ! "$txdtool" img check "$img" >/dev/null 2>check.txt; then
        echo "$kind: the archive has faults after the kill:"; cat check.txt
        exit 1
    fi
    contents >now.txt
    grep -v "^$target " before.txt >others-before.txt || true
    grep -v "^$target " now.txt >others-now.txt || true
    if ! cmp -s others-before.txt others-now.txt; then
        echo "$kind: entries other than $target changed"; diff before.txt now.txt || true
        exit 1
    fi
    if [ "$kind" = pack ] || [ "$kind" = pack1 ]; then
        if [ "$(stat -c %i "$img")" = "$inode" ]; then old=$((old + 1)); else new=$((new + 1)); fi
    elif cmp -s before.txt now.txt; then
        old=$((old + 1))
    elif grep -qx "$target $want" now.txt; then
        new=$((new + 1))
    else
        echo "$kind: $target is neither its old nor its new content"; diff before.txt now.txt || true
        exit 1
    fi
}

# The milliseconds a whole run of the command takes.
timing() {
    start=$(date +%s%N)
    "$@" >/dev/null
    echo $(( ($(date +%s%N) - start) / 1000000 ))
}

hash_of() { sha256sum <"$1" | cut -d' ' -f1; }

# The content e.txd has after each alpha setting, and how long each change takes.
"$txdtool" alpha "$img:e.txd" "$texture" yes >/dev/null
"$txdtool" img extract "$img" e.txd -C . >/dev/null && edited_yes=$(hash_of e.txd)
edit_ms=$(timing "$txdtool" alpha "$img:e.txd" "$texture" no)
"$txdtool" img extract "$img" e.txd -C . >/dev/null && edited_no=$(hash_of e.txd)
cp large.bin probe.bin
add_ms=$(timing "$txdtool" img add "$img" probe.bin)
pack_ms=$(timing "$txdtool" img pack "$img")
"$txdtool" img add "$img1" large.bin >/dev/null
pack1_ms=$(timing "$txdtool" img pack "$img1")
size=$(du -m "$img" | cut -f1)
echo "archive of $size MiB, $((mib + 3)) entries; a whole add takes $add_ms ms, an edit" \
     "$edit_ms ms, a pack $pack_ms ms (version 1: $pack1_ms ms); $trials trials of each change"
for kind in add edit pack pack1; do
    old=0 new=0 killed=0
    n=0
    while [ "$n" -lt "$trials" ]; do
        n=$((n + 1))
        case "$kind" in
            add)
                if [ $((n % 2)) = 1 ]; then cp large.bin big.bin; else cp small.bin big.bin; fi
                trial add big.bin "$(hash_of big.bin)" "$add_ms" "$txdtool" img add "$img" big.bin ;;
            edit)
                if [ $((n % 2)) = 1 ]; then flag=yes want=$edited_yes; else flag=no want=$edited_no; fi
                trial edit e.txd "$want" "$edit_ms" "$txdtool" alpha "$img:e.txd" "$texture" "$flag" ;;
            pack)
                trial pack none - "$pack_ms" "$txdtool" img pack "$img" ;;
            pack1)
                img=$img1
                if [ $((n % 2)) = 1 ]; then cp large.bin big.bin; else cp small.bin big.bin; fi
                "$txdtool" img add "$img" big.bin >/dev/null
                trial pack1 none - "$pack1_ms" "$txdtool" img pack "$img" ;;
        esac
    done
    echo "$kind: trials $trials: old $old, new $new, other 0 (killed while running: $killed)"
done
