#!/bin/sh
# Kills `txdtool alpha` with SIGKILL at a random moment of its run, over and over, and counts
# what the dictionary holds afterwards: the file before the command ("old"), the file after it
# ("new"), or anything else ("other", which must never happen).
#   tools/kill-test.sh BUILD_DIR [TRIALS] [MIB]
# BUILD_DIR holds a build with txdtool and txdgen (make build gives one in build/).
set -eu
build=$1
trials=${2:-30}
mib=${3:-128}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
txd="$work/big.txd"

"$build/tools/txdgen" --set "rgba-${mib}mib" "$txd"
"$build/txdtool/txdtool" alpha "$txd" big_0 no
hash_no=$(sha256sum < "$txd")
start=$(date +%s%N)
"$build/txdtool/txdtool" alpha "$txd" big_0 yes
run_ms=$(( ($(date +%s%N) - start) / 1000000 ))
hash_yes=$(sha256sum < "$txd")
state=yes
old=0 new=0 other=0 finished=0
echo "$mib MiB dictionary, a whole run takes $run_ms ms; $trials trials"
i=0
while [ "$i" -lt "$trials" ]; do
    i=$((i + 1))
    if [ "$state" = yes ]; then want=no; else want=yes; fi
    "$build/txdtool/txdtool" alpha "$txd" big_0 "$want" &
    pid=$!
    delay=$(shuf -i 0-"$run_ms" -n 1)
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    if kill -9 "$pid" 2>/dev/null; then :; else finished=$((finished + 1)); fi
    wait "$pid" 2>/dev/null || true
    now=$(sha256sum < "$txd")
    if [ "$state" = yes ]; then old_hash=$hash_yes new_hash=$hash_no; else old_hash=$hash_no new_hash=$hash_yes; fi
    if [ "$now" = "$old_hash" ]; then
        old=$((old + 1))
    elif [ "$now" = "$new_hash" ]; then
        new=$((new + 1)); state=$want
    else
        other=$((other + 1))
        echo "trial $i: the dictionary is neither the old nor the new file"
        exit 1
    fi
done
left=$(find "$work" -name '.big.txd.tinplate-*' | wc -l)
echo "trials $trials: old $old, new $new, other $other ($finished finished before the kill);" \
     "hidden temporaries left now: $left (the next save removes them)"
