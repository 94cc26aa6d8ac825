#!/usr/bin/env bash
# Times `mokpe report -o` end to end (start-up, reading a transit history,
# building the journal, the report into one PDF) for journals of 1,999 and
# 100,000 rows, with the peak memory of the process.
# usage: bench/report_command.sh [MOKPE] (default: build-release/bin/mokpe)
set -euo pipefail
cd "$(dirname "$0")/.."
mokpe=${1:-build-release/bin/mokpe}
[ -x "$mokpe" ] || { echo "no $mokpe: build it first (Release)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program folder beside the histories and reports: no output may go into it.
mkdir "$work/program"
cp tests/data/journal/program/* "$work/program/"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"

history() { # ROWS FILE: a transit history, newest first, each row a 10-yen spending
  {
    printf '利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n'
    awk -v n="$1" 'BEGIN { for (i = 1; i <= n; i++)
      printf "2008/%02d/%02d,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,%d,\r\n", (n - i) / 28 % 12 + 1, (n - i) % 28 + 1, 5000 + 10 * i }'
  } | iconv -f UTF-8 -t CP932 >"$2"
}

for rows in 1999 100000; do
  history "$rows" "$work/history-$rows.csv"
  /usr/bin/time -f "%e %M" -o "$work/time" \
    "$mokpe" report "$work/history-$rows.csv" --dir "$work/program" --user 1 --settle 10 -o "$work/report-$rows.pdf" >/dev/null
  read -r seconds kilobytes <"$work/time"
  pages=$(pdfinfo "$work/report-$rows.pdf" | awk '/^Pages:/ { print $2 }')
  size=$(stat -c %s "$work/report-$rows.pdf")
  awk -v r="$rows" -v p="$pages" -v s="$seconds" -v k="$kilobytes" -v b="$size" \
    'BEGIN { printf "%7d rows, %5d pages: %6.2f s, peak %6.1f MB, PDF %5.1f MB\n", r, p, s, k / 1024, b / 1048576 }'
done
