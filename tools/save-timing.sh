#!/bin/sh
# Times Save on a large dictionary: the crash-safe replacement, the in-place write it falls
# back to when the folder takes no new file (made so with `chattr +i`, hence root), and
# `cp` + `sync` of the file as the floor. Medians of RUNS runs, in milliseconds.
#   tools/save-timing.sh BUILD_DIR [MIB] [RUNS]
set -eu
build=$1
mib=${2:-256}
runs=${3:-5}
work=$(mktemp -d)
trap 'chattr -i "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
txd="$work/big.txd"
"$build/tools/txdgen" --set "rgba-${mib}mib" "$txd"

ms() { start=$(date +%s%N); "$@" > /dev/null; echo $(( ($(date +%s%N) - start) / 1000000 )); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
flag=yes
save() { if [ "$flag" = yes ]; then flag=no; else flag=yes; fi; "$build/txdtool/txdtool" alpha "$txd" big_0 "$flag"; }
copy() { cp "$txd" "$work/copy.txd" && sync "$work/copy.txd"; }

results=""
for i in $(seq "$runs"); do
    results="$results $(ms copy) $(ms save)"
    rm -f "$work/copy.txd"
done
cp_ms=$(echo "$results" | tr ' ' '\n' | sed '/^$/d' | awk 'NR % 2 == 1' | median)
safe_ms=$(echo "$results" | tr ' ' '\n' | sed '/^$/d' | awk 'NR % 2 == 0' | median)
chattr +i "$work"
inplace_ms=$(for i in $(seq "$runs"); do ms save; done | median)
chattr -i "$work"
echo "$mib MiB: cp+sync $cp_ms ms, crash-safe Save $safe_ms ms, in-place Save $inplace_ms ms"
