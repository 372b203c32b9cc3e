#!/usr/bin/env bash
# The scan benchmark, run by hand as root (never by the tests):
#   bench/scan/run.sh [RUNS]
# Installs jdupes, fdupes and rdfind from Debian (here only: the tests do not
# need them), builds the native build, generates the trees once (fixed seeds:
# build/bench/tree, 20,000 files; build/bench/million, 1,000,000 small files),
# checks that zorvex-cli's pool of readers gives what one reader gives and
# that every tool finds the same duplicate sets, measures them with a warm
# cache and with the page cache dropped before each run, then on the million
# files, and writes the tables to bench/scan/RESULTS.md, followed by phase 3
# alone on 200,000 files and, when the Windows build is there, zorvex-cli.exe
# under Wine and the scan in Zorvex.exe's main window (on an Xvfb of its own).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/env.sh"
runs=${1:-7}

missing=()
for p in jdupes fdupes rdfind; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

bash "$ZORVEX_ROOT/scripts/build.sh" native >/dev/null
native=$ZORVEX_BUILD_DIR/native
tree=$ZORVEX_BUILD_DIR/bench/tree
million=$ZORVEX_BUILD_DIR/bench/million
mkdir -p "$(dirname "$tree")"
[ -d "$tree" ] || "$native/bench/scan/bench_scan_tree" "$tree"
[ -d "$million" ] || "$native/bench/scan/bench_scan_tree" --million "$million"

cli=$native/src/cli/zorvex-cli
if ! cmp -s <("$cli" --threads 1 "$tree") <("$cli" "$tree"); then
  echo "zorvex-cli gives another list with one reader than with its pool" >&2
  exit 1
fi

compare() {
  python3 "$here/compare.py" --cli "$cli" --measure "$native/bench/scan/bench_scan_measure" "$@"
}

results=$here/RESULTS.md
{
  echo "# Scan benchmark"
  echo
  echo "Produced by \`bench/scan/run.sh\` on $(date -u +%Y-%m-%d). zorvex-cli gives the same list with one"
  echo "reader as with its pool of $("$cli" --help | grep -o 'default [0-9]*' | cut -d' ' -f2) on the first tree."
  echo
  echo "## Warm cache"
  echo
  compare --tree "$tree" --runs "$runs" --max-time-ratio 0.7
  echo
  echo "## Cold cache"
  echo
  compare --tree "$tree" --runs "$runs" --max-time-ratio 0.8 --cold
  echo
  echo "## A million small files, warm cache"
  echo
  compare --tree "$million" --runs 3 --tools zorvex-cli,jdupes,rdfind --memory-at-most-jdupes
  echo
  echo "Phase 3 alone: $("$native/bench/scan/bench_scan_phase3")."
  exe=$ZORVEX_BUILD_DIR/windows/src/cli/zorvex-cli.exe
  if [ -f "$exe" ]; then
    # Wine's own start-up is part of every run: start the server first so
    # that it is not counted.
    wineserver -p >/dev/null 2>&1 || true
    times=()
    for _ in $(seq 1 "$runs"); do
      times+=("$("$native/bench/scan/bench_scan_measure" /dev/null "$ZORVEX_WINE" "$exe" "Z:$tree" | cut -d' ' -f1)")
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    echo
    echo "zorvex-cli.exe under Wine, same tree: median wall time ${median} s (Wine start-up included)."
  fi
  window_bench=$ZORVEX_BUILD_DIR/windows/bench/scan/bench_main_window.exe
  if [ -f "$window_bench" ]; then
    start_xvfb
    line=$("$ZORVEX_WINE" "$window_bench" "Z:$tree" "$runs" 2>/dev/null | grep '^median' || true)
    kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
    echo
    echo "Zorvex.exe under Wine, same tree, from the click on Start to the closing message (program start-up not"
    echo "included), ${line}."
  fi
  wineserver -k >/dev/null 2>&1 || true
} | tee "$results"
