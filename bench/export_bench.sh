#!/usr/bin/env bash
# Whole-process timing of `mokpe export` to each of the four formats beside the
# CP932 round trip through iconv, without the peers: bench/peers.sh with PEERS
# empty. Wall time, the ratio to the round trip and peak memory.
#
# usage: bench/export_bench.sh [MOKPE] [N]   (as bench/peers.sh)
set -euo pipefail
PEERS="" exec "$(dirname "$0")/peers.sh" "$@"
