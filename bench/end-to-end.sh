#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Times txdtool on large dictionaries against what the machine needs for the same bytes
# anyway (cat, cp, cp + sync, a bare libsquish decode), each command alternated with its
# anchor, and prints min / median / max of the ratios of PAIRS pairs (default 5).
#   bench/end-to-end.sh BUILD_DIR
# BUILD_DIR holds a Release build with txdtool, txdgen and the programs in bench/. The dictionaries
# (about 550 MiB) are made in a temporary folder that is removed afterwards.
set -eu

build=$(cd "${1:?usage: end-to-end.sh BUILD_DIR}" && pwd)
pairs=${PAIRS:-5}
txdtool=$build/txdtool/txdtool
txdgen=$build/tools/txdgen
decode=$build/bench/squish_decode
work=$(mktemp -d "${TMPDIR:-/tmp}/txd-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

. "$(dirname "$0")/timing.sh"

# Flips the alpha flag of texture $2 of dictionary $1 at every call, so that each one saves
# (timed runs happen in subshells: the flag's state lives in a file).
toggle_alpha() {
    state="$work/alpha-$2"
    if [ "$(cat "$state" 2>/dev/null)" = yes ]; then flag=no; else flag=yes; fi
    echo $flag >"$state"
    "$txdtool" alpha "$1" "$2" $flag
}

# lint of dictionary $1: findings of any severity (status 1) are its normal result here.
lint_findings() {
    "$txdtool" lint "$1" >/dev/null
    [ $? -le 1 ]
}

# Converts dictionary $1 to platform 9 and back to 5 at alternate calls, so that each one
# rewrites the whole file.
toggle_platform() {
    state="$work/platform"
    if [ "$(cat "$state" 2>/dev/null)" = 9 ]; then target=5; else target=9; fi
    echo $target >"$state"
    "$txdtool" platform "$1" $target
}

echo "Making the dictionaries in $work ..."
"$txdgen" --set rgba-256mib "$work/big.txd"
"$txdgen" --set pal8-2048 "$work/pal8.txd"
"$txdgen" --set dxt1-2048 "$work/dxt1.txd"
"$txdtool" export "$work/dxt1.txd" -C "$work" >/dev/null
cp "$work/big.txd" "$work/edit.txd"
cp "$work/big.txd" "$work/platform.txd"
cp "$work/big.txd" "$work/same.txd"
cat "$work/big.txd" "$work/edit.txd" "$work/same.txd" >/dev/null  # warm the page cache
size=$(wc -c <"$work/big.txd")

echo "big.txd: $size bytes; $pairs pairs of runs, each command right before its anchor"
echo
echo '| command | project min / median / max | anchor | anchor min / median / max | ratio min / median / max |'
echo '|---|---|---|---|---|'
compare 'check big.txd' 'cat big.txd' "$txdtool" check "$work/big.txd" -- \
    sh -c 'cat "$1" >/dev/null' cat "$work/big.txd"
compare 'list big.txd' 'cat big.txd' "$txdtool" list "$work/big.txd" -- \
    sh -c 'cat "$1" >/dev/null' cat "$work/big.txd"
compare 'lint big.txd' 'cat big.txd' lint_findings "$work/big.txd" -- \
    sh -c 'cat "$1" >/dev/null' cat "$work/big.txd"
compare 'diff big.txd copy' 'cmp big.txd copy' "$txdtool" diff "$work/big.txd" "$work/same.txd" -- \
    cmp "$work/big.txd" "$work/same.txd"
compare 'thumbnail big.txd (256 px)' 'cat big.txd' \
    "$txdtool" thumbnail "$work/big.txd" "$work/thumbnail.png" -- \
    sh -c 'cat "$1" >/dev/null' cat "$work/big.txd"
compare 'swizzle big.txd' 'cp big.txd' "$txdtool" swizzle "$work/edit.txd" -- \
    cp "$work/big.txd" "$work/copy.txd"
compare 'flip big.txd ONE' 'cp + sync' "$txdtool" flip "$work/edit.txd" rgba_1024_07 -- \
    copy_and_sync "$work/big.txd" "$work/copy.txd"
compare 'alpha big.txd ONE (32-bit)' 'cp + sync' toggle_alpha "$work/edit.txd" rgba_1024_07 -- \
    copy_and_sync "$work/big.txd" "$work/copy.txd"
compare 'platform big.txd 9, then 5 (every level reordered)' 'cp + sync' \
    toggle_platform "$work/platform.txd" -- copy_and_sync "$work/big.txd" "$work/copy.txd"
compare 'alpha pal8.txd (8-bit 2048², full chain rebuilt)' 'cp big.txd' \
    toggle_alpha "$work/pal8.txd" pal8_2048 -- cp "$work/big.txd" "$work/copy.txd"
mkdir "$work/chain"
compare 'rebuild of pal8_2048 chain alone (11 x _bmpresize)' 'cp big.txd' \
    sh -c 'cd "$1" && "$2" ../pal8.txd pal8_2048' sh "$work/chain" "$build/bench/rebuild_chain" -- \
    cp "$work/big.txd" "$work/copy.txd"
compare 'preview dxt1.txd (DXT1 2048²)' 'bare libsquish decode' \
    "$txdtool" preview "$work/dxt1.txd" dxt1_2048 "$work/preview.png" -- \
    "$decode" "$work/dxt1_2048.dds"

# Swizzle All / Unswizzle All over 64 MiB in memory: the speed as a share of memcpy's, from
# the same interleaved repetitions of the Google Benchmark cases.
"$build/bench/pixelops_bench" --benchmark_repetitions="$pairs" \
    --benchmark_enable_random_interleaving=true --benchmark_format=csv 2>/dev/null |
    grep -v '_mean\|_median\|_stddev\|_cv' | tr -d '"' >"$work/pixelops.csv"
for case in SwizzleAll/depth:8 UnswizzleAll/depth:8 SwizzleAll/depth:32 UnswizzleAll/depth:32; do
    depth=${case#*:}
    grep "^$case," "$work/pixelops.csv" | cut -d, -f3 >"$work/convert"
    grep "^Memcpy/depth:$depth," "$work/pixelops.csv" | cut -d, -f3 >"$work/copy"
    printf '| %s (64 MiB) | %s ms | memcpy | %s ms | speed %s of memcpy |\n' "$case" \
        "$(spread 1 <"$work/convert")" "$(spread 1 <"$work/copy")" \
        "$(paste -d' ' "$work/copy" "$work/convert" | awk '{ print $1 / $2 }' | spread 1)"
done

peak=$(/usr/bin/time -f %M "$txdtool" list "$work/big.txd" 2>&1 >/dev/null | tail -n 1)
awk -v peak="$peak" -v size="$size" 'BEGIN {
    mib = 1048576; limit = 1.1 * size + 32 * mib;
    printf "\npeak memory of list big.txd: %.1f MiB = %.2f x the file (%.1f MiB); the goal is at most %.1f MiB\n",
        peak * 1024 / mib, peak * 1024 / size, size / mib, limit / mib }'

# The editor's open of big.txd in one process, the window already up: until its list and first
# picture are drawn, against cat of the file right after; and the editor's peak memory.
open=$build/bench/editor_open
if [ -x "$open" ]; then
    export XDG_CONFIG_HOME="$work/config"  # the recent files of a bench are nobody's
    : >"$work/open"
    i=0
    while [ $i -lt "$pairs" ]; do
        times=$("$open" "$work/big.txd") || { echo "end-to-end.sh: editor_open failed" >&2; exit 1; }
        echo "$times $(timed sh -c 'cat "$1" >/dev/null' cat "$work/big.txd")" >>"$work/open"
        i=$((i + 1))
    done
    echo
    printf '| editor open big.txd (list, first picture) | %s s | cat big.txd | %s s | %s |\n' \
        "$(cut -d' ' -f2 "$work/open" | spread 1)" \
        "$(cut -d' ' -f3 "$work/open" | spread 1000000)" \
        "$(awk '{ print $2 * 1000000 / $3 }' "$work/open" | spread 1)"
    printf 'editor start-up (until the window is up, before the open): %s s; the goal is an open of at most 1.5 x cat\n' \
        "$(cut -d' ' -f1 "$work/open" | spread 1)"
    peak=$(/usr/bin/time -f %M "$open" "$work/big.txd" 2>&1 >/dev/null | tail -n 1)
    awk -v peak="$peak" -v size="$size" 'BEGIN {
        mib = 1048576; limit = 1.1 * size + 64 * mib;
        printf "peak memory of the editor with big.txd open: %.1f MiB; the goal is at most %.1f MiB\n",
            peak * 1024 / mib, limit / mib }'
fi
