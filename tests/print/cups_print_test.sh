#!/usr/bin/env bash
# Real printing: `mokpe report --print --printer` sends the report of a 120-row
# journal to a PDF queue of a CUPS scheduler of its own, and three jobs must
# arrive as three PDFs, one page each, with the right texts; then a queue that
# refuses jobs must be told page by page.
#
# The scheduler has a private configuration folder and listens only on a socket
# in it; the system's scheduler and printers are not touched. The PDF backend
# reads its settings from /etc/cups: the scheduler runs in a mount namespace that
# sees a private folder there. Where namespaces are not allowed, a settings file
# for the test's own queue name is put in /etc/cups for the run and removed.
#
# usage: cups_print_test.sh MOKPE PROGRAM_FOLDER
# MOKPE_PRINT_COMPARE_LAYOUT=0 leaves out the comparison of the printed words'
# places, for a print path whose driver splits and draws words its own way
# (Wine's PostScript driver, tools/windows/print-test.sh).
# Exit 0 passed, 1 failed, 77 skipped (not root, or CUPS or cups-pdf missing).
# KEEP_WORK=1 keeps the scheduler's folder (logs, jobs, PDFs) for a look afterwards.
set -euo pipefail

mokpe=$1
program_source=$2
compare_layout=${MOKPE_PRINT_COMPARE_LAYOUT:-1}

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; [ -f "${work:-}/log/error_log" ] && tail -n 40 "$work/log/error_log"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "the PDF backend runs only under a scheduler started as root"
for tool in cupsd lpadmin lpstat pdftotext iconv; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "printer-driver-cups-pdf is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[ -f "$ppd" ] || skip "$ppd is missing"

work=$(mktemp -d /tmp/mokpe-cups-XXXXXX)
chmod 755 "$work"
queue="MokpeReport$$"
queue_settings="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=
cleanup() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  rm -f "$queue_settings"
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{conf,spool,cache,state,tmp,log,out,pdfspool,etc,program}
chmod 1777 "$work/tmp"
socket="$work/cups.sock"

cat >"$work/conf/cups-files.conf" <<CONF
ServerRoot $work/conf
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
FileDevice No
CONF
cat >"$work/conf/cupsd.conf" <<CONF
Listen $socket
LogLevel info
WebInterface No
Browsing Off
BrowseLocalProtocols none
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
# The backend reads "cups-pdf-QUEUE.conf" for a device URI "cups-pdf:/QUEUE".
cat >"$work/etc/cups-pdf-$queue.conf" <<CONF
Out $work/out
AnonDirName $work/out
Spool $work/pdfspool
Log $work/log
Grp root
TitlePref 1
Label 2
CONF

if unshare --mount --propagation private true 2>/dev/null; then
  unshare --mount --propagation private sh -c \
    "mount --bind '$work/etc' /etc/cups && exec cupsd -f -c '$work/conf/cupsd.conf' -s '$work/conf/cups-files.conf'" \
    >"$work/log/cupsd.out" 2>&1 &
else
  echo "no mount namespace: using $queue_settings for this run"
  cp "$work/etc/cups-pdf-$queue.conf" "$queue_settings"
  cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
fi
cupsd_pid=$!

export CUPS_SERVER="$socket"
for _ in $(seq 1 100); do
  lpstat -r 2>/dev/null | grep -q "is running" && break
  kill -0 "$cupsd_pid" 2>/dev/null || fail "cupsd ended: $(cat "$work/log/cupsd.out")"
  sleep 0.1
done
lpstat -r | grep -q "is running" || fail "cupsd did not answer on $socket"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" 2>/dev/null || fail "lpadmin could not add $queue"

# The program folder, and a transit history of 120 rows: each a spending of 10
# yen, the oldest one settled by --settle.
cp "$program_source"/* "$work/program/"
history="$work/history.csv"
{
  printf '利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n'
  for i in $(seq 1 120); do
    printf '2008/%02d/%02d,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,%d,\r\n' $(((120 - i) / 28 + 1)) $(((120 - i) % 28 + 1)) $((5000 + 10 * i))
  done
} | iconv -f UTF-8 -t CP932 >"$history"

out=$("$mokpe" report "$history" --dir "$work/program" --user 1 --settle 10 --print --printer "$queue" 2>"$work/err") ||
  fail "mokpe report exited $?: $(cat "$work/err")"
[ "$out" = "printed: 3 pages to $queue" ] || fail "unexpected output: $out"

# Three jobs, completed, and three PDFs.
for _ in $(seq 1 600); do
  completed=$(lpstat -W completed -o "$queue" 2>/dev/null | wc -l)
  pdfs=$(find "$work/out" -name '*.pdf' | wc -l)
  [ "$completed" -ge 3 ] && [ "$pdfs" -ge 3 ] && break
  sleep 0.2
done
lpstat -W completed -o "$queue"
[ "$completed" -eq 3 ] || fail "$completed jobs completed, expected 3"
[ "$pdfs" -eq 3 ] || fail "$pdfs PDFs came out, expected 3"

# The PostScript step of the queue turns the face into bitmap glyphs without
# their characters, so what came out cannot be read back as text, and their
# heights are not the face's. Each printed page is compared instead with the
# pages of the report's own PDF of the same journal (whose texts the core tests
# read back): the left ends of its words must be those of its own page, within
# 0.3 mm, and not those of another. The two bold header texts come out a little
# off, so up to 4 words on either side may lack a partner; the pages differ in
# at least 9 (the rows 1 to 9, and 100, stand elsewhere in their column).
# The same history again: it is booked anew only without matching.
"$mokpe" report "$history" --dir "$work/program" --user 1 --settle 10 --no-match -o "$work/reference.pdf" >/dev/null 2>&1 ||
  fail "mokpe report -o failed"
word_starts() { # PDF PAGE -> the xMin of every word, in points
  pdftotext -bbox -f "$2" -l "$2" "$1" - 2>/dev/null | sed -n 's/.*<word xMin="\([0-9.]*\)".*/\1/p'
}
# How many words of the second list have no word of the first within 0.85 pt.
unmatched() {
  awk -v tol=0.85 'NR == FNR { x[NR] = $1; n = NR; next }
    { found = 0
      for (i = 1; i <= n; i++) if ((x[i] - $1) ^ 2 <= tol ^ 2) { found = 1; break }
      if (!found) missing++ }
    END { print missing + 0 }' "$1" "$2"
}
same_page() {
  [ "$(unmatched "$1" "$2")" -le 4 ] && [ "$(unmatched "$2" "$1")" -le 4 ]
}
for q in 1 2 3; do word_starts "$work/reference.pdf" "$q" >"$work/reference-$q.txt"; done
[ "$(wc -l <"$work/reference-3.txt")" -gt 100 ] || fail "the reference PDF has no words"

seen=""
for pdf in "$work"/out/*.pdf; do
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
  [ "$pages" = 1 ] || fail "$pdf has $pages pages"
  size=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Page size:/ { print int($3 + 0.5) "x" int($5 + 0.5) }')
  [ "$size" = 595x842 ] || fail "$pdf is $size pt, not A4"
  # The job name, kept in the file name, says which page the job carried.
  name=$(basename "$pdf")
  p=$(sed -n 's/^history\.csv__\([123]\)_3.*/\1/p' <<<"$name")
  [ -n "$p" ] || fail "unexpected job name: $name"
  seen="$seen$p"
  word_starts "$pdf" 1 >"$work/printed-$p.txt"
  [ "$(wc -l <"$work/printed-$p.txt")" -gt 100 ] || fail "job of page $p printed next to no text"
  [ "$compare_layout" = 1 ] || continue
  for q in 1 2 3; do
    if [ "$q" = "$p" ]; then
      same_page "$work/printed-$p.txt" "$work/reference-$q.txt" ||
        fail "job of page $p: $(unmatched "$work/reference-$q.txt" "$work/printed-$p.txt") words off their place"
    else
      ! same_page "$work/printed-$p.txt" "$work/reference-$q.txt" || fail "job of page $p looks like page $q"
    fi
  done
  echo "job of page $p: $(wc -l <"$work/printed-$p.txt") words where page $p has them"
done
[ "$(echo "$seen" | grep -o . | sort | tr -d '\n')" = 123 ] || fail "pages seen: $seen"
echo "3 jobs, 3 one-page PDFs"

# A queue that refuses jobs: every page is told, and the command exits 2.
cupsreject -r "test" "$queue" || fail "cupsreject failed"
if "$mokpe" report "$history" --dir "$work/program" --user 1 --settle 10 --no-match --print --printer "$queue" \
  >"$work/out2" 2>"$work/err2"; then
  fail "a refused print was reported as done: $(cat "$work/out2")"
else
  status=$?
fi
[ "$status" = 2 ] || fail "a refused print exited $status"
grep -q "^精算書を印刷できませんでした．$" "$work/err2" || fail "no failure message: $(cat "$work/err2")"
grep -q "^プリンタ：$queue$" "$work/err2" || fail "the message does not name the printer: $(cat "$work/err2")"
for p in 1 2 3; do
  grep -q "^$p / 3 ページ：印刷ジョブが受け付けられませんでした" "$work/err2" || fail "page $p not told: $(cat "$work/err2")"
done
echo "PASS: refused jobs are told page by page"
