#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour
# sanitizers) in build-fuzz/ and runs them one after another.
#
#   tests/fuzz/run-fuzzers.sh TARGET|all [-runs=N | -max_total_time=S] [more libFuzzer options]
#
# TARGET is one of the targets below, or all. The whole roads (card_history,
# journal_file, account_table, export) build the editor over a program folder
# and cost a millisecond or more an input; their lean targets (history_build,
# journal_load, account_lines, export_writers) run the parser or writer alone
# on the same kind of input, many times faster. Each target starts from its
# seeds in tests/fuzz/ (a lean target shares its whole road's) and keeps what it
# finds in build-fuzz/corpus/TARGET/ (never in the source tree); a crash or a
# broken rule leaves its input in build-fuzz/findings/TARGET/. Keep such an
# input under tests/fuzz/regressions/TARGET/ once its cause is mended.
# A long run of a lean target: -runs=10000000 -max_len=2048 (a later option
# wins over the default -max_len=8192; inputs of a few kilobytes hold every
# rule a larger file does, and run several times faster). Add -fork=N to share
# the one run between N processes, one a core: -runs counts them all.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${MOKPE_FUZZ_BUILD:-$root/build-fuzz}"
all_targets=(card_history history_build journal_file journal_load account_table account_lines settings_file
  users_file export export_writers)
# The seeds folder of each target.
declare -A seeds_of=([history_build]=card_history [journal_load]=journal_file [account_lines]=account_table)
seeds_folder() { echo "${seeds_of[$1]:-$1}"; }

if [ $# -lt 1 ]; then
  sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
which_target="$1"
shift
if [ "$which_target" = all ]; then
  targets=("${all_targets[@]}")
else
  case " ${all_targets[*]} " in
    *" $which_target "*) targets=("$which_target") ;;
    *) echo "unknown target: $which_target (one of: ${all_targets[*]} all)" >&2; exit 2 ;;
  esac
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DMOKPE_FUZZ=ON -DMOKPE_BUILD_UI=OFF -DMOKPE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

# Each target writes its files into a private folder on a memory file system
# when there is one: millions of small writes, each synced.
scratch_parent=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch_parent=/dev/shm
fi
scratch="$(mktemp -d "$scratch_parent/mokpe-fuzz-run.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
# One frame per allocation stack. With eight, the sanitizer's store of
# allocation stacks kept growing through a long run (most likely because the
# libraries below Qt's calls have no frame pointers, so deeper frames are stray
# addresses, new each time): the users file target fell from 2,500 to 1,300
# executions a second and grew from 280 to 910 MB in 3.5 million executions.
# Replay a kept input with a deeper context to see where its memory came from.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:malloc_context_size=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  seeds="$(seeds_folder "$target")"
  inputs=("$corpus" "$here/$seeds")
  for kept in "$here/regressions/$target" "$here/regressions/$seeds"; do
    if [ -d "$kept" ] && [[ " ${inputs[*]} " != *" $kept "* ]]; then
      inputs+=("$kept")
    fi
  done
  echo "== $target" >&2
  if ! "$build/bin/fuzz_$target" -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$@" "${inputs[@]}"; then
    status=1
  fi
done
exit $status
