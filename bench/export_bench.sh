#!/usr/bin/env bash
# Whole-process timing of `mokpe export`: a transit history of N lines (100,000
# by default) is opened, settled with --settle and written in each of the four
# formats, side by side with a CP932 round trip through iconv over the same
# history file. Prints wall time, the ratio to the round trip and peak memory.
#
# usage: bench/export_bench.sh [MOKPE] [N]
#   MOKPE  the headless command of a Release build (default: build-release/bin/mokpe)
#   N      history lines (default: 100000)
# GEN_HISTORY may name gen_history.py (default: ../shared/gen_history.py beside
# the checkout, or /work/shared/gen_history.py).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
mokpe=${1:-$root/build-release/bin/mokpe}
lines=${2:-100000}
runs=${RUNS:-3}
gen=${GEN_HISTORY:-}
if [[ -z $gen ]]; then
    for candidate in "$root/../shared/gen_history.py" /work/shared/gen_history.py; do
        [[ -f $candidate ]] && gen=$candidate && break
    done
fi
[[ -x $mokpe ]] || { echo "no mokpe at $mokpe (build it: cmake -B build-release -DCMAKE_BUILD_TYPE=Release)" >&2; exit 1; }
[[ -f $gen ]] || { echo "gen_history.py not found; set GEN_HISTORY" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
history=$work/history.csv
python3 "$gen" "$lines" "$history"

# Two program folders: the Ｗ code set (formats 1, 2) and the 楓林 code set (3, 4).
for set in w kai; do
    mkdir -p "$work/$set"
    "$mokpe" settings --dir "$work/$set" > /dev/null 2>&1
    "$mokpe" accounts --load "$set" --dir "$work/$set" > /dev/null 2>&1
done

# Best wall time of $runs runs (seconds) and the peak resident set of the
# slowest (kB), of the command in "$@".
measure() {
    local best="" peak=0 t m
    for ((i = 0; i < runs; i++)); do
        /usr/bin/time -f '%e %M' -o "$work/time" "$@" > /dev/null 2> "$work/stderr" ||
            { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
        read -r t m < "$work/time"
        if [[ -z $best ]] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
        ((m > peak)) && peak=$m
    done
    echo "$best $peak"
}

roundtrip() { iconv -f CP932 -t UTF-8 "$history" | iconv -f UTF-8 -t CP932 > "$work/roundtrip.csv"; }
export -f roundtrip
export history work
read -r base base_mem < <(measure bash -c roundtrip)
cmp -s "$history" "$work/roundtrip.csv" || echo "note: the round trip changed the file" >&2

printf '%-28s %8s %8s %10s\n' "run ($lines lines)" "wall s" "ratio" "peak MB"
printf '%-28s %8s %8s %10.1f\n' "iconv round trip" "$base" "1.00" "$(awk -v k="$base_mem" 'BEGIN { print k / 1024 }')"
for format in 1 2 3 4; do
    set=w
    ((format >= 3)) && set=kai
    read -r t m < <(measure "$mokpe" export "$history" --dir "$work/$set" --settle 100 --format "$format" \
        -o "$work/out$format.csv" --yes --today 20260106)
    printf '%-28s %8s %8.2f %10.1f\n' "mokpe export --format $format" "$t" \
        "$(awk -v a="$t" -v b="$base" 'BEGIN { print (b > 0 ? a / b : 0) }')" \
        "$(awk -v k="$m" 'BEGIN { print k / 1024 }')"
done
