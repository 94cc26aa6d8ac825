#!/usr/bin/env bash
# Real printing from the Windows `mokpe.exe` under Wine: the same test as on
# Linux (tests/print/cups_print_test.sh), with a CUPS scheduler of its own that
# Wine's spooler prints to. Three jobs must arrive as three PDFs, and a queue
# that refuses jobs must be told page by page (Qt's Windows print engine only
# warns when the spooler refuses, and reported such jobs as printed).
# usage: tools/windows/print-test.sh [BUILD_DIR]   (default build-windows)
# Exit 0 passed, 1 failed, 77 skipped (as the Linux test).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$(realpath "${1:-build-windows}")
. tools/windows/wine-env.sh
wine_prefix
export TZ=Asia/Tokyo

# `mokpe` for the test: the Windows program under Wine, its output without CR.
# Its Unix paths reach it as paths of drive Z:, the whole file system.
runner=$(mktemp -d /tmp/mokpe-wine-runner-XXXXXX)
trap 'wineserver_stop; rm -rf "$WINEPREFIX" "$runner"' EXIT
cat >"$runner/mokpe" <<RUNNER
#!/usr/bin/env bash
set -o pipefail
cd "$build/bin"
"$wine" mokpe.exe "\$@" 2> >(tr -d '\r' >&2) | tr -d '\r'
RUNNER
chmod +x "$runner/mokpe"

# Wine's PostScript driver splits the words its own way and draws some as
# outlines, so the places of the printed words are not compared with the
# report's PDF; the jobs, their pages, paper and names are.
status=0
MOKPE_PRINT_COMPARE_LAYOUT=0 "$root/tests/print/cups_print_test.sh" "$runner/mokpe" \
  "$root/tests/data/journal/program" || status=$?
exit "$status"
