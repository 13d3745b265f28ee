# SPDX-License-Identifier: GPL-3.0-or-later
# Timing helpers the bench scripts source. They expect `work` (a scratch folder) and `pairs`
# (how many runs of each command) to be set by the script.

microseconds() { date +%s%N | cut -c1-16; }

# Runs the command and prints how many microseconds it took; its output is dropped.
timed() {
    start=$(microseconds)
    "$@" >/dev/null 2>&1 || { echo "${0##*/}: failed: $*" >&2; exit 1; }
    echo $(($(microseconds) - start))
}

# min / median / max of the numbers on standard input.
spread() {
    sort -g | awk -v scale="$1" '{ v[NR] = $1 / scale }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
              printf "%.3g / %.3g / %.3g", v[1], m, v[NR] }'
}

# compare LABEL ANCHOR-LABEL PROJECT-COMMAND -- ANCHOR-COMMAND
compare() {
    label=$1 anchor=$2
    shift 2
    project_cmd=""
    while [ "$1" != "--" ]; do project_cmd="$project_cmd '$1'"; shift; done
    shift
    : >"$work/times"
    i=0
    while [ $i -lt "$pairs" ]; do
        p=$(eval timed "$project_cmd")
        a=$(timed "$@")
        echo "$p $a" >>"$work/times"
        i=$((i + 1))
    done
    printf '| %s | %s s | %s | %s s | %s |\n' "$label" \
        "$(cut -d' ' -f1 "$work/times" | spread 1000000)" "$anchor" \
        "$(cut -d' ' -f2 "$work/times" | spread 1000000)" \
        "$(awk '{ print $1 / $2 }' "$work/times" | spread 1)"
}

copy_and_sync() { cp "$1" "$2" && sync "$2"; }
