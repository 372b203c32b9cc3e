#!/bin/sh
# run-quiet.sh <log> <command...>: runs the command with its input and output
# away from the build's own pipes (Wine's background processes inherit them
# and would keep the build waiting); shows the log when the command fails.
log=$1
shift
if "$@" </dev/null >"$log" 2>&1; then
  exit 0
fi
cat "$log" >&2
exit 1
