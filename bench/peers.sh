#!/usr/bin/env bash
# Whole-process timing of `mokpe export` beside the tools a user might reach
# for, side by side in one run over one transit history of N lines (100,000 by
# default), settled with --settle:
#   - the floor: a CP932 -> UTF-8 -> CP932 round trip through iconv;
#   - mokpe export to each of the four formats, each run in a fresh program
#     folder (a folder that has seen the card would book only the new lines);
#   - ledger convert (ledger 3.3): it reads UTF-8 CSV with an amount column, so
#     the history is converted with iconv and each amount derived from the
#     balance chain with awk; that preparation is counted in ledger's time;
#   - hledger's CSV import (hledger 1.25) with balance assignments, printed with
#     the amounts worked out (print -x), over the history converted to UTF-8
#     with iconv (counted in its time) and a rules file written here.
# Prints wall time (best of the runs), peak resident memory (largest of the
# runs) and the ratios against the goals: at most 2x the round trip, at least
# 10x faster than ledger, at least 100x faster than hledger, at most 64 MB.
#
# usage: bench/peers.sh [MOKPE] [N]
#   MOKPE  the headless command of a Release build (default: build-release/bin/mokpe)
#   N      history lines (default: 100000)
# Environment: RUNS (runs of the round trip and of mokpe, default 3),
# PEER_RUNS (runs of ledger and hledger, default 1: hledger takes most of a
# minute), PEERS ("ledger hledger" by default; empty to time mokpe alone),
# GEN_HISTORY (gen_history.py; default ../shared/gen_history.py beside the
# checkout, or /work/shared/gen_history.py).
# A peer whose command is not installed is skipped with a line saying so
# (tools/install-deps.sh installs both).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
mokpe=${1:-$root/build-release/bin/mokpe}
lines=${2:-100000}
runs=${RUNS:-3}
peer_runs=${PEER_RUNS:-1}
peers=${PEERS-ledger hledger}
gen=${GEN_HISTORY:-}
if [[ -z $gen ]]; then
    for candidate in "$root/../shared/gen_history.py" /work/shared/gen_history.py; do
        [[ -f $candidate ]] && gen=$candidate && break
    done
fi
[[ -x $mokpe ]] || {
    echo "no mokpe at $mokpe (build it: cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release" \
        "-DMOKPE_BUILD_UI=OFF && cmake --build build-release --target mokpe)" >&2
    exit 1
}
[[ -f $gen ]] || { echo "gen_history.py not found; set GEN_HISTORY" >&2; exit 1; }
command -v /usr/bin/time > /dev/null || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
history=$work/history.csv
python3 "$gen" "$lines" "$history"

# Program folders as a first start leaves them: the Ｗ code set (formats 1, 2)
# and the 楓林 code set (3, 4). Each run copies one, outside the timing.
for set in w kai; do
    mkdir -p "$work/$set"
    "$mokpe" settings --dir "$work/$set" > /dev/null 2>&1
    "$mokpe" accounts --load "$set" --dir "$work/$set" > /dev/null 2>&1
done

# measure RUNS PREPARE COMMAND...: best wall time (s) of RUNS runs and the
# largest peak resident set (kB). PREPARE (a shell function, or :) runs before
# each run, untimed.
measure() {
    local n=$1 prepare=$2
    shift 2
    local best="" peak=0 t m start end
    for ((i = 0; i < n; i++)); do
        "$prepare"
        # GNU time's own wall clock counts hundredths: the shell's clock is finer.
        start=$EPOCHREALTIME
        /usr/bin/time -f '%M' -o "$work/time" "$@" > /dev/null 2> "$work/stderr" ||
            { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
        end=$EPOCHREALTIME
        t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
        read -r m < "$work/time"
        if [[ -z $best ]] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
        ((m > peak)) && peak=$m
    done
    echo "$best $peak"
}

fresh_w() { rm -rf "$work/run" && cp -r "$work/w" "$work/run"; }
fresh_kai() { rm -rf "$work/run" && cp -r "$work/kai" "$work/run"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

declare -A wall peak
row() { printf '%-34s %9s %9s %10s\n' "$@"; }

# The floor.
roundtrip() { iconv -f CP932 -t UTF-8 "$history" | iconv -f UTF-8 -t CP932 > "$work/roundtrip.csv"; }
export -f roundtrip
export history work
read -r wall[floor] peak[floor] < <(measure "$runs" : bash -c roundtrip)
cmp -s "$history" "$work/roundtrip.csv" || echo "note: the round trip changed the file" >&2

for format in 1 2 3 4; do
    prepare=fresh_w
    ((format >= 3)) && prepare=fresh_kai
    read -r wall[m$format] peak[m$format] < <(measure "$runs" "$prepare" "$mokpe" export "$history" \
        --dir "$work/run" --settle 100 --format "$format" -o "$work/out$format.csv" --yes --today 20260106)
done

# ledger: UTF-8 with a header ledger knows (date, payee, amount, note); the
# file lists the newest first, so a line's amount is the older balance below
# it less its own balance (the oldest line has none and books 0).
ledger_run() {
    iconv -f CP932 -t UTF-8 "$history" |
        awk -F, 'NR == 1 { print "date,payee,amount,note"; next }
                 { d[NR] = $1; p[NR] = $2 " " $3 " " $4 " " $5 " " $6 " " $7; b[NR] = $8; n[NR] = $9 }
                 END { for (i = 2; i <= NR; i++)
                           print d[i] "," p[i] "," (i < NR ? b[i + 1] - b[i] : 0) "," n[i] }' \
            > "$work/ledger.csv"
    ledger -f /dev/null convert "$work/ledger.csv" --input-date-format %Y/%m/%d --account Assets:Suica \
        > "$work/ledger.out"
}
# hledger: each line's balance assigned to the card's account, the amount
# worked out from the balance before it (oldest first).
cat > "$work/hledger.rules" << 'EOF'
skip 1
fields date, kind1, operator1, station1, kind2, operator2, station2, balance, note
date-format %Y/%m/%d
newest-first
description %kind1 %operator1 %station1 %kind2 %operator2 %station2
account1 assets:suica
account2 expenses:unknown
EOF
hledger_run() {
    iconv -f CP932 -t UTF-8 "$history" > "$work/hledger.csv"
    hledger -f "$work/hledger.csv" --rules-file "$work/hledger.rules" print -x > "$work/hledger.out"
}
export -f ledger_run hledger_run

ran_peers=()
for peer in $peers; do
    if ! command -v "$peer" > /dev/null; then
        echo "skipped: $peer is not installed (apt-get install $peer, or tools/install-deps.sh)"
        continue
    fi
    read -r wall[$peer] peak[$peer] < <(measure "$peer_runs" : bash -c "${peer}_run")
    ran_peers+=("$peer")
done

echo
echo "$lines-line transit history, $(nproc) cores; wall time best of $runs (peers: $peer_runs)"
row "run" "wall s" "peak MB" "x floor"
row "iconv round trip (floor)" "${wall[floor]}" "$(mb "${peak[floor]}")" "1.00"
for format in 1 2 3 4; do
    row "mokpe export --format $format" "${wall[m$format]}" "$(mb "${peak[m$format]}")" \
        "$(ratio "${wall[m$format]}" "${wall[floor]}")"
done
for peer in "${ran_peers[@]}"; do
    case $peer in
    ledger) name="ledger convert (with iconv, awk)" ;;
    hledger) name="hledger CSV import (with iconv)" ;;
    esac
    row "$name" "${wall[$peer]}" "$(mb "${peak[$peer]}")" "$(ratio "${wall[$peer]}" "${wall[floor]}")"
done

# Against the goals: mark each figure ok or MISS.
mark() { awk -v v="$1" -v g="$2" -v d="$3" 'BEGIN { ok = d == "le" ? v <= g : v >= g; printf "%s%s", v, ok ? "" : " MISS" }'; }
echo
printf '%-24s %14s %14s %14s %14s\n' "goal" "x floor <= 2" "ledger/ >= 10" "hledger/ >= 100" "peak MB <= 64"
for format in 1 2 3 4; do
    l=-
    h=-
    [[ -n ${wall[ledger]:-} ]] && l=$(mark "$(ratio "${wall[ledger]}" "${wall[m$format]}")" 10 ge)
    [[ -n ${wall[hledger]:-} ]] && h=$(mark "$(ratio "${wall[hledger]}" "${wall[m$format]}")" 100 ge)
    printf '%-24s %14s %14s %14s %14s\n' "mokpe export --format $format" \
        "$(mark "$(ratio "${wall[m$format]}" "${wall[floor]}")" 2 le)" "$l" "$h" \
        "$(mark "$(mb "${peak[m$format]}")" 64 le)"
done
