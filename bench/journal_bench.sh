#!/bin/sh
# Runs the journal benchmark on transit histories written by a generator script
# (1,999 and 100,000 data lines), then times `mokpe journal` on the longer one
# as a whole command with its peak memory.
# Usage: bench/journal_bench.sh BUILD_DIR GENERATOR.py
set -eu
build=${1:?build folder (a Release build)}
generator=${2:?history generator script}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
for n in 1999 100000; do
    python3 "$generator" "$n" "$work/history_$n.csv"
done
MOKPE_BENCH_HISTORY_DIR="$work" "$build/bin/journal_bench"

# A program folder where the import may run: settings and a default account
# table. The journal is saved beside it: no output may go into it.
mkdir "$work/program"
"$build/bin/mokpe" accounts --load w --dir "$work/program" >/dev/null 2>&1
printf 'bench\r\n' >"$work/program/person.csv"
printf '%s\n' "--- mokpe journal, 100,000 lines, settled and saved"
/usr/bin/time -f "%e s elapsed, %M KB peak" \
    "$build/bin/mokpe" journal "$work/history_100000.csv" --dir "$work/program" --settle 100 -o "$work/journal.csv"
