#!/usr/bin/env bash
# The first presses of the journal editor's "精算印刷" after the program's
# start (settlement_print_first): how long until the no-printer message or the
# print preview is on screen, and the longest time the window's event loop
# stood still meanwhile, with each kind of print service:
#   none      no scheduler answers (no printer)
#   running   a scheduler of its own with one PDF queue, the default
#   on-demand the same scheduler started by the first request, as systemd's
#             socket starts it, and taking SLOW_START seconds (default 8) to
#             come up, as after a cold boot
# Each scheduler has a private folder and socket (CUPS_SERVER); the system's
# scheduler and printers are not touched. Needs root for the schedulers.
#
# usage: bench/settlement_print_first.sh BUILD_DIR [PRESSES] [DELAY_MS] [SCENARIO...]
#   BUILD_DIR holds bin/settlement_print_first; DELAY_MS: the first press that
#   long after the start (default 0: as soon as the editor is on screen).
#   GEN_HISTORY: the history generator (default ../shared/gen_history.py).
set -euo pipefail
build=${1:?usage: settlement_print_first.sh BUILD_DIR [PRESSES] [DELAY_MS] [SCENARIO...]}
presses=${2:-3}
delay=${3:-0}
shift $(($# < 3 ? $# : 3))
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(none running on-demand)
here=$(cd "$(dirname "$0")/.." && pwd)
gen=${GEN_HISTORY:-$here/../shared/gen_history.py}
program=$build/bin/settlement_print_first
[ -x "$program" ] || { echo "not built: $program (cmake --build $build --target settlement_print_first)" >&2; exit 1; }
[ -f "$gen" ] || { echo "history generator not found: $gen" >&2; exit 1; }

work=$(mktemp -d /tmp/mokpe-print-first-XXXXXX)
chmod 755 "$work"
pids=()
stop_scheduler() {
  for pid in "${pids[@]}"; do
    pkill -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  pids=()
}
trap 'stop_scheduler; rm -rf "$work"' EXIT

python3 "$gen" 40 "$work/history.csv"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_RUNTIME_DIR=$work/runtime LANG=C.UTF-8 LC_ALL=C.UTF-8

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

# A scheduler's folder: listens only on its socket, one PDF queue added by
# add_queue once it runs.
scheduler_folder() {
  local dir=$1
  mkdir -p "$dir"/{conf,spool,cache,state,tmp,log}
  chmod 1777 "$dir/tmp"
  cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
  cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing Off
DefaultAuthType None
IdleExitTimeout 60
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
}

add_queue() {
  local dir=$1
  for _ in $(seq 1 100); do
    CUPS_SERVER=$dir/cups.sock lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
  CUPS_SERVER=$dir/cups.sock lpadmin -p MokpeFirst -E -v "cups-pdf:/MokpeFirst" -P "$ppd" 2>/dev/null
  CUPS_SERVER=$dir/cups.sock lpadmin -d MokpeFirst
}

for scenario in "${scenarios[@]}"; do
  dir=$work/$scenario
  mkdir -p "$dir"
  case $scenario in
  none)
    export CUPS_SERVER=$dir/cups.sock
    ;;
  running | on-demand)
    [ "$(id -u)" -eq 0 ] || { echo "== $scenario: skipped (needs root)"; continue; }
    command -v cupsd >/dev/null || { echo "== $scenario: skipped (no cupsd)"; continue; }
    [ -f "$ppd" ] || { echo "== $scenario: skipped (no $ppd: printer-driver-cups-pdf)"; continue; }
    scheduler_folder "$dir"
    export CUPS_SERVER=$dir/cups.sock
    # The queue is made by a scheduler started now; it is stopped again so
    # that the on-demand one starts only at the program's first request.
    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    pids+=($!)
    add_queue "$dir"
    if [ "$scenario" = on-demand ]; then
      command -v systemd-socket-activate >/dev/null || { echo "== $scenario: skipped (no systemd-socket-activate)"; stop_scheduler; continue; }
      stop_scheduler
      rm -f "$dir/cups.sock"
      cat >"$dir/slow-start.sh" <<EOF
#!/bin/sh
sleep ${SLOW_START:-8}
exec cupsd -l -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf"
EOF
      chmod +x "$dir/slow-start.sh"
      systemd-socket-activate -l "$dir/cups.sock" "$dir/slow-start.sh" >"$dir/log/activate.out" 2>&1 &
      pids+=($!)
      for _ in $(seq 1 50); do [ -S "$dir/cups.sock" ] && break; sleep 0.1; done
    fi
    ;;
  *)
    echo "unknown scenario: $scenario" >&2
    exit 1
    ;;
  esac
  echo "== $scenario"
  "$program" "$work/history.csv" "$presses" "$delay" 2>/dev/null
  stop_scheduler
done
