#!/usr/bin/env bash
# Start-up of MokpeCnv to its main window against a bare Qt window (a main
# window with one label of Japanese text, so that both load their fonts), on a real X
# server (Xvfb): each program ends as soon as its main window has been painted
# (MokpeCnv through MOKPE_EXIT_WHEN_SHOWN, see src/app/main.cpp), and the whole
# process is timed, best of N runs. MokpeCnv shows its splash window for a
# fixed 2,000 ms first; that time is subtracted. Goal: within 1.3x the bare window.
#
# usage: bench/startup.sh [BUILD_DIR] [N]
#   BUILD_DIR  a Release build with the windows (default: build-rel-ui), holding
#              bin/MokpeCnv and bin/bare_window:
#              cmake -S . -B build-rel-ui -DCMAKE_BUILD_TYPE=Release &&
#              cmake --build build-rel-ui --target MokpeCnv bare_window mokpe
#              (mokpe prepares the program folder; MOKPE names another one)
#   N          runs of each (default: 10)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-rel-ui}
runs=${2:-10}
splash_ms=2000
for program in MokpeCnv bare_window; do
    [[ -x $build/bin/$program ]] || { echo "not built: $build/bin/$program" >&2; exit 1; }
done
command -v xvfb-run > /dev/null || { echo "xvfb-run is needed (apt-get install xvfb xauth)" >&2; exit 1; }

work=$(mktemp -d)
# The runtime folder (the single-instance lock) is a tmpfs in a desktop session
# (/run/user/UID): a folder on disk would add a disk sync to every start.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    runtime=$(mktemp -d /dev/shm/mokpe-runtime.XXXXXX)
else
    runtime=$work/runtime
fi
trap 'rm -rf "$work" "$runtime"' EXIT
# MokpeCnv keeps its files beside itself: a copy in a program folder of its
# own, started once first so that its settings and account table exist (a
# first start asks questions the timed runs must not meet).
mkdir -p "$work/program" "$work/home" "$runtime"
chmod 700 "$runtime"
cp "$build/bin/MokpeCnv" "$work/program/"
mokpe=${MOKPE:-$build/bin/mokpe}
[[ -x $mokpe ]] || mokpe=$root/build-release/bin/mokpe
# Without the prepared files the first start's message would wait for a click.
[[ -x $mokpe ]] || { echo "not built: $build/bin/mokpe (or set MOKPE)" >&2; exit 1; }
"$mokpe" settings --dir "$work/program" > /dev/null
"$mokpe" accounts --load w --dir "$work/program" > /dev/null
printf '%s\r\n' "経理 太郎" | iconv -f UTF-8 -t CP932 > "$work/program/person.csv"

cat > "$work/inner.sh" << 'EOF'
#!/usr/bin/env bash
# Runs inside one X server: each program RUNS times, wall milliseconds per line.
set -euo pipefail
runs=$1
shift
for ((i = 0; i < runs; i++)); do
    for program in "$@"; do
        start=$EPOCHREALTIME
        "$program" > /dev/null 2>&1
        end=$EPOCHREALTIME
        awk -v p="$(basename "$program")" -v a="$start" -v b="$end" 'BEGIN { printf "%s %.1f\n", p, (b - a) * 1000 }'
    done
done
EOF
chmod +x "$work/inner.sh"

export HOME=$work/home XDG_RUNTIME_DIR=$runtime LANG=C.UTF-8 LC_ALL=C.UTF-8 MOKPE_EXIT_WHEN_SHOWN=1
# The two programs take turns, so that a busy moment of the machine touches both.
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/inner.sh" "$runs" "$build/bin/bare_window" \
    "$work/program/MokpeCnv" > "$work/times"

best() { awk -v p="$1" '$1 == p && (min == "" || $2 < min) { min = $2 } END { print min }' "$work/times"; }
bare=$(best bare_window)
whole=$(best MokpeCnv)
mokpe_ms=$(awk -v w="$whole" -v s="$splash_ms" 'BEGIN { printf "%.1f", w - s }')
ratio=$(awk -v a="$mokpe_ms" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3 ? "ok" : "MISS") }')
echo "start-up to the main window under Xvfb, best of $runs, $(nproc) cores"
printf '%-40s %10s\n' "run" "ms"
printf '%-40s %10s\n' "bare Qt window (QMainWindow, one label)" "$bare"
printf '%-40s %10s\n' "MokpeCnv, whole" "$whole"
printf '%-40s %10s\n' "MokpeCnv less the ${splash_ms} ms splash" "$mokpe_ms"
printf '%-40s %10s  (goal <= 1.3: %s)\n' "ratio" "$ratio" "$verdict"
