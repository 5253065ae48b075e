#!/usr/bin/env bash
# Runs the program against the local demo configuration server:
#   tools/run-demo.sh                      the window on this display ($DISPLAY), or on a private Xvfb
#   tools/run-demo.sh --screenshot FILE    no display: waits for the main page, its texts and pictures,
#                                          writes the window's pixels to FILE (PNG) and ends
# Installs what is missing and builds the program and its helpers, as the test command does; then the
# demo's own Wine prefix with the test CA trusted, the demo configuration server on 127.0.0.1:443
# (loopback only; a private one when possible, so that test runs never meet it) and tessaro.exe under
# Wine (tools/demo-env.sh has the details). Everything it started (the server, the prefix's Wine
# processes, Xvfb) is ended when the program exits, on Ctrl-C and on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
demo_name=run-demo

usage() {
  sed -n '2,5s/^# \{0,1\}//p' "$0"
}

arguments=("$@")
screenshot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot)
      [ $# -ge 2 ] && [ -n "$2" ] || { echo "run-demo: --screenshot needs a file name" >&2; exit 2; }
      screenshot=$(realpath -m "$2")
      shift 2
      ;;
    -h|--help) usage; exit 0 ;;
    *) echo "run-demo: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
  esac
done

. tools/demo-env.sh
demo_build tessaro trust_ca skin_preview window_capture
# The screenshot never uses the user's display: a window there could be covered or moved.
[ -n "$screenshot" ] && unset DISPLAY
user_display=${DISPLAY:-}
demo_private_loopback "${arguments[@]}"
demo_start

if [ -z "$screenshot" ]; then
  if [ -n "$user_display" ]; then
    say "starting tessaro.exe on display $DISPLAY (close its window, or press Ctrl-C, to end the demo)"
  else
    say "no display (DISPLAY is unset): tessaro.exe runs on a private Xvfb ($DISPLAY) that nobody sees;" \
        "--screenshot FILE shows what it draws. Ctrl-C ends the demo"
  fi
  say "its output (the configuration client's diagnostic lines) goes to $state/tessaro.log"
  status=0
  run_windows_program "$(windows_path "$program")" >"$state/tessaro.log" 2>&1 || status=$?
  say "tessaro.exe ended with exit code $status"
  exit "$status"
fi

start_look=$state/start_look.png
paint_start_look "$start_look"
say "starting tessaro.exe without a display (Xvfb $DISPLAY) for a screenshot"
"$tessaro_wine" "$(windows_path "$program")" >"$state/tessaro.log" 2>&1 </dev/null &
mkdir -p "$(dirname "$screenshot")"
# Waits until the main page is shown (the window differs from its start look) and then nothing has
# changed, neither its pixels nor the server's request log, for a second.
run_windows_program "$(windows_path "$tested_dir/tools/window_capture/window_capture.exe")" --class MainWnd \
  --start-look "$(windows_path "$start_look")" --activity "$(windows_path "$server_log")" \
  --out "$(windows_path "$screenshot")" --timeout 60 \
  || fail "no screenshot (the program's output is in $state/tessaro.log, the server's requests in $server_log)"
say "screenshot written to $screenshot"
