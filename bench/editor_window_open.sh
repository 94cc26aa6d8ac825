#!/usr/bin/env bash
# The journal editor window opened on a 1,999-line and a 100,000-line transit
# history: start-up time until the window is shown (best of several runs) and
# the peak memory of the whole process (GNU time).
#
#   bench/editor_window_open.sh BUILD_DIR [GEN_HISTORY]
# BUILD_DIR is a Release build tree; GEN_HISTORY the history generator
# (gen_history.py N OUT), by default ../shared/gen_history.py beside the checkout.
set -euo pipefail
build=${1:?usage: editor_window_open.sh BUILD_DIR [GEN_HISTORY]}
here=$(cd "$(dirname "$0")/.." && pwd)
gen=${2:-$here/../shared/gen_history.py}
[ -f "$gen" ] || { echo "history generator not found: $gen" >&2; exit 1; }
program=$build/bin/editor_window_open
[ -x "$program" ] || { echo "not built: $program (cmake --build $build --target editor_window_open)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
for n in 1999 100000; do
  python3 "$gen" "$n" "$work/history_$n.csv"
  echo "== $n data lines"
  /usr/bin/time -v "$program" "$work/history_$n.csv" 5 2>"$work/time_$n.txt"
  grep -E 'Maximum resident set size|Elapsed \(wall clock\)' "$work/time_$n.txt"
done
