#!/bin/bash
# Large and odd histories through `mokpe read`, `journal`, `export` and
# `report`: for each input and command, the exit status, the peak memory, the
# time and what the command said (the first line of its message, or of its
# output). Nothing here may hang: every run has a time limit and reports
# "timeout" if it is reached.
# Usage: bench/odd_inputs.sh BUILD_DIR GENERATOR.py [COMMANDS]
#   COMMANDS: a space-separated subset of "read journal export report" (all by default).
set -eu
build=${1:?build folder (a Release build)}
generator=${2:?history generator script}
commands=${3:-read journal export report}
mokpe="$build/bin/mokpe"
limit=${MOKPE_ODD_INPUT_TIMEOUT:-600}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
# The report's offscreen platform wants a runtime folder of its own.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

# A program folder where the import may run: settings, the Ｗ account table, a user.
mkdir "$work/program"
"$mokpe" accounts --load w --dir "$work/program" >/dev/null 2>&1 || true
printf 'bench\r\n' >"$work/program/person.csv"

in="$work/inputs"
mkdir "$in"
python3 "$generator" 100000 "$in/lines_100000.csv"
python3 "$generator" 1000000 "$in/lines_1000000.csv"
python3 "$generator" 1000 "$in/small.csv"
header=$(head -c 200 "$in/small.csv" | head -n 1)
# One data line with a remark of a million bytes between two ordinary lines.
{
    printf '%s\n' "$header"
    sed -n 2p "$in/small.csv"
    printf '2008/07/19,x,,,,,,5000,'
    head -c 1000000 /dev/zero | tr '\0' 'A'
    printf '\r\n'
    sed -n 3p "$in/small.csv"
} >"$in/line_1mb.csv"
{ head -n 3 "$in/small.csv"; printf '2008/07/19,x,\0,,,,,5000,\r\n'; } >"$in/nul_bytes.csv"
tr '\n' '\r' <"$in/small.csv" | tr -s '\r' >"$in/cr_only.csv"
{ head -n 3 "$in/small.csv"; printf '2008/07/19,\x85\x40,,,,,,5000,\r\n'; } >"$in/invalid_cp932.csv"
iconv -f CP932 -t UTF-8 "$in/small.csv" >"$in/utf8.csv"
{ printf '\xEF\xBB\xBF'; cat "$in/utf8.csv"; } >"$in/utf8_bom.csv"
# A kanji cut short on line 33.
awk 'NR == 33 { printf "%s\346\226\r\n", substr($0, 1, length($0) - 1); next } { print }' "$in/utf8.csv" \
    >"$in/utf8_damaged.csv"
iconv -f CP932 -t UTF-16 "$in/small.csv" >"$in/utf16.csv"
mkfifo "$in/fifo.csv"
mkdir "$in/folder.csv"
truncate -s $((128 * 1024 * 1024 + 1)) "$in/too_large.csv"
ln -s /dev/zero "$in/dev_zero.csv"

inputs="lines_100000 lines_1000000 line_1mb nul_bytes cr_only invalid_cp932 utf8 utf8_bom utf8_damaged utf16 fifo
folder dev_zero too_large"

run() {
    local name=$1 command=$2 out="$work/out"
    local input="$in/$name.csv"
    local -a args
    case $command in
    read) args=(read "$input") ;;
    journal) args=(journal "$input" --dir "$work/program" --settle 100 -o "$out.csv") ;;
    export) args=(export "$input" --dir "$work/program" --settle 100 --format 1 --yes -o "$out.csv") ;;
    report) args=(report "$input" --dir "$work/program" --settle 100 -o "$out.pdf") ;;
    esac
    local status=0
    timeout "$limit" /usr/bin/time -f '%M %e' -o "$work/time" "$mokpe" "${args[@]}" \
        >"$work/stdout" 2>"$work/stderr" || status=$?
    local said
    if [ "$status" = 124 ]; then
        said="timeout after ${limit} s"
        echo "? ?" >"$work/time"
    elif [ -s "$work/stderr" ]; then
        said=$(grep -v '^Command exited' "$work/stderr" | head -n 2 | tr '\n' ' ' | sed "s|$in/||g")
    else
        said=$(head -n 2 "$work/stdout" | paste -sd, - | sed 's/,/, /g')
        [ "$command" = journal ] || [ "$command" = export ] && said="written, $(wc -c <"$out.csv") bytes"
        [ "$command" = report ] && said="$said, $(wc -c <"$out.pdf") bytes"
    fi
    read -r kb seconds < <(tail -n 1 "$work/time")
    local mb="?"
    [ "$kb" != "?" ] && mb=$(awk -v kb="$kb" 'BEGIN { printf "%.0f", kb / 1024 }')
    printf '| %s | %s | %s | %s MB | %s s | %s |\n' "$name" "$command" "$status" "$mb" "$seconds" "$said"
    rm -f "$out.csv" "$out.pdf"
}

printf '| input | command | exit | peak memory | time | outcome |\n|---|---|---|---|---|---|\n'
for name in $inputs; do
    for command in $commands; do
        run "$name" "$command"
    done
done
