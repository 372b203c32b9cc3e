#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for a bounded time:
#   scripts/fuzz.sh [seconds per target] [target...]
# Each starts from the seeds in fuzz/seeds/<name>; new inputs go to a
# temporary corpus, crash inputs to build/fuzz/crashes. Exits non-zero when a
# target fails.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
seconds=${1:-5}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(lzh_unpack skin_reader quick_ini bmp skin_data)
crashes="$ZORVEX_BUILD_DIR/fuzz/crashes"
mkdir -p "$crashes"
status=0
for name in "${targets[@]}"; do
  corpus=$(mktemp -d /tmp/zorvex-fuzz.XXXXXX)
  log="$ZORVEX_BUILD_DIR/fuzz/fuzz_$name.log"
  "$ZORVEX_BUILD_DIR/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$crashes/$name-" "$corpus" "$ZORVEX_ROOT/fuzz/seeds/$name" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  if [ "$rc" = 0 ]; then
    echo "fuzz $name: ${runs:-?} runs in ${seconds}s, no failure"
  else
    echo "fuzz $name: FAILED (exit $rc), see $log"
    tail -n 30 "$log"
    status=1
  fi
  rm -rf "$corpus"
done
exit "$status"
