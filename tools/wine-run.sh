#!/usr/bin/env bash
# Runs one Windows program of ours under Wine in the project's prefix: tools/wine-run.sh X.exe [args]
# CTest uses it as the cross-compiling emulator. Standalone it also provides a display and a
# wineserver when the caller has none; under tools/test.sh both are already there.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
if [ -z "${DISPLAY:-}" ]; then
  wine_display_ready
fi
# Wine's own background processes (services, device drivers, the desktop) may start with this
# program and outlive it. They must not inherit our caller's output pipe, or the caller (CTest)
# would wait for it to close forever: the program writes into a file that is copied out afterwards.
output=$(mktemp)
trap 'rm -f "$output"; [ -n "${tessaro_xvfb_pid:-}" ] && wine_server_stop' EXIT
status=0
wine "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit $status
