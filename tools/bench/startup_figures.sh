#!/usr/bin/env bash
# Start-up figures of the program, printed in one run (a benchmark: it prints, it asserts nothing):
#   tools/bench/startup_figures.sh [STARTS]      (STARTS: timed starts of each program, default 5)
# - the size of the release tessaro.exe, against its budget of 1.4 MB;
# - start -> first paint of the skinned main window, and start -> main page with its texts shown
#   (against the local demo configuration server), each as a ratio to start -> first paint of a bare
#   Win32 window of the same size (tools/bench/bare_window.cc) measured in the same run; the target for
#   the first paint is 1.5 times the bare window's.
# Both programs are started and watched the same way, from outside: window_capture.exe creates the
# process, looks at the window's pixels every 5 ms and notes when they are first painted (not one
# uniform colour) and when the main page is shown (they differ from the window's start look, painted by
# the skin previewer, in at least a tenth of the pixels). Medians of STARTS starts, taken in turns,
# after one untimed start of each (Wine's first start in a prefix and the picture cache are warm then).
# Each start waits 3 s after the one before: the programs are ended from outside, and after tessaro.exe
# (whose tray icon outlives it for a moment) the next window in the prefix is shown about 2 s late.
# Runs on a private Xvfb, in the demo's Wine prefix, with the demo's server (tools/demo-env.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
demo_name=startup_figures

arguments=("$@")
starts=${1:-5}
case "$starts" in
  [1-9] | [1-9][0-9]) ;;
  *) echo "startup_figures: STARTS must be a number from 1 to 99, not '$starts'" >&2; exit 2 ;;
esac

. tools/demo-env.sh
demo_build tessaro trust_ca skin_preview window_capture bare_window
unset DISPLAY  # The same private display for every run, never the user's.
demo_private_loopback "${arguments[@]}"
demo_start

start_look=$state/start_look.png
paint_start_look "$start_look"
capture=$(windows_path "$tested_dir/tools/window_capture/window_capture.exe")
bare_window=$(windows_path "$tested_dir/tools/bench/bare_window.exe")
tessaro=$(windows_path "$program")

# One start of the bare window: prints "FIRST_PAINT_MS OWN_MS" (OWN_MS: the window's own count from
# its process's creation to its first WM_PAINT, a cross-check of the outside view).
time_bare_window() {
  local output
  output=$(run_windows_program "$capture" --launch "$bare_window" --class TessaroBareWindow --until paint \
             --times --timeout 30 2>&1) || fail "timing the bare window failed: $output"
  echo "$(sed -n 's/.*first_paint_ms=\([0-9]*\).*/\1/p' <<<"$output") $(sed -n 's/^first paint \([0-9.]*\) ms.*/\1/p' <<<"$output")"
}

# One start of tessaro.exe: prints "FIRST_PAINT_MS PAGE_MS".
time_tessaro() {
  local output
  output=$(run_windows_program "$capture" --launch "$tessaro" --class MainWnd --until page \
             --start-look "$(windows_path "$start_look")" --times --timeout 60 2>&1) \
    || fail "timing tessaro.exe failed: $output"
  sed -n 's/.*first_paint_ms=\([0-9]*\) page_ms=\([0-9]*\).*/\1 \2/p' <<<"$output"
}

# Lets Wine finish with the program the last start ended.
pause_between_starts() { sleep 3; }


say "one untimed start of each, then $starts timed starts of each, in turns"
time_bare_window >/dev/null
pause_between_starts
time_tessaro >/dev/null
bare=() bare_own=() paint=() page=()
for ((run = 1; run <= starts; run++)); do
  pause_between_starts
  read -r first own <<<"$(time_bare_window)"
  bare+=("$first") bare_own+=("$own")
  pause_between_starts
  read -r first shown <<<"$(time_tessaro)"
  paint+=("$first") page+=("$shown")
  say "start $run: bare window painted at ${bare[-1]} ms; tessaro.exe painted at ${paint[-1]} ms," \
      "main page at ${page[-1]} ms"
done

size=$(stat -c %s "$program")
bare_median=$(median "${bare[@]}")
paint_median=$(median "${paint[@]}")
page_median=$(median "${page[@]}")
awk -v size="$size" -v bare="$bare_median" -v own="$(median "${bare_own[@]}")" -v paint="$paint_median" \
    -v page="$page_median" -v starts="$starts" -v arch="$tested" 'BEGIN {
  budget = 1.4 * 1024 * 1024
  printf "\nstart-up figures (%s build, medians of %d starts under Wine on Xvfb)\n", arch, starts
  printf "  release tessaro.exe             %9d bytes = %.2f MB   budget 1.40 MB: %s\n", size, size / 1048576,
         size <= budget ? "within" : "over"
  printf "  bare window, first paint        %9.0f ms  (its own count from process creation: %.0f ms)\n", bare, own
  printf "  tessaro.exe, first paint        %9.0f ms  = %.2f x bare   target 1.50 x: %s\n", paint, paint / bare,
         paint <= 1.5 * bare ? "met" : "missed"
  printf "  tessaro.exe, main page shown    %9.0f ms  = %.2f x bare\n", page, page / bare
}'
