#!/usr/bin/env bash
# Runs one Windows program of ours under Wine in the project's prefix: tools/wine-run.sh X.exe [args]
# CTest uses it as the cross-compiling emulator. The program's own header says whether it is a
# 32-bit or a 64-bit program, and so which Wine and prefix run it. Standalone it also provides a
# display and a wineserver when the caller has none; under tools/test.sh both are already there.
set -euo pipefail

# Prints i686 or x86_64 for a Windows program (its PE header's machine field), nothing otherwise.
pe_architecture() {
  [ -f "$1" ] || return 0
  local pe_offset machine
  pe_offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe_offset" ] || return 0
  machine=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
  esac
}

program_architecture=$(pe_architecture "${1:-}")
[ -n "$program_architecture" ] && export TESSARO_ARCH="$program_architecture"
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
"$tessaro_wine" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit $status
