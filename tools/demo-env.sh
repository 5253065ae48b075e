# Sourced by the scripts that run the program against the local demo configuration server
# (tools/run-demo.sh, tools/bench/startup_figures.sh). Expects the project's root as the current folder
# and `demo_name` set to the calling script's name (messages start with it).
#
# The program always asks port 443 of localhost, which test runs on the same machine use too. When the
# script runs as root and the display (if any) is a local one, everything after the build runs in a
# private network namespace with a loopback of its own (unshare --net), so the demo's port 443 and a
# test run's never meet (TESSARO_DEMO_SHARED_LOOPBACK=1 stays on the machine's loopback). Otherwise,
# when another process holds the port (most often a test run's server, which goes away by itself), the
# process is named and the port waited for up to TESSARO_DEMO_PORT_WAIT seconds (default 120).
#
# Functions, called in this order:
#   demo_build TARGET...        installs what is missing and builds the targets (tools/build-env.sh);
#                               sets `tested` and `tested_dir`, and `program` (tessaro.exe)
#   demo_private_loopback ARGS  runs the calling script again, with ARGS, in a private network
#                               namespace when that is possible (see above)
#   demo_start                  the demo's own Wine prefix (.wine-demo, or .wine-demo64 for x86_64;
#                               never the tests' prefix) with the test CA trusted, a display (Xvfb
#                               when DISPLAY is unset), and the demo configuration server on
#                               127.0.0.1:443 with the demo documents and pictures; sets `state` (a
#                               folder for logs) and `server_log`. Everything it starts is ended when
#                               the script exits, on Ctrl-C and on any failure. With
#                               TESSARO_DEMO_EXTRA_FILES=DIR the server also serves the files of DIR.
# and windows_path FILE, run_windows_program PROGRAM [ARGS], median NUMBER...

say() { printf '%s: %s\n' "$demo_name" "$*"; }
fail() { printf '%s: %s\n' "$demo_name" "$*" >&2; exit 1; }

. tools/build-env.sh

demo_build() {
  if [ -z "${TESSARO_DEMO_PRIVATE_LOOPBACK:-}" ]; then
    choose_configuration
    configurations=("$tested")  # Only the configuration that runs here is needed.
    say "building the $tested program ($reason)"
    build_configurations "$@"
  fi
  program=$PWD/$tested_dir/app/tessaro.exe
  [ -f "$program" ] || fail "the build made no $program"
}

# Whether the rest can run in a private network namespace: as root, with unshare and ip at hand, and
# no display reached over the network (a local display's socket is a file, seen from any namespace).
private_loopback_possible() {
  [ "$(id -u)" = 0 ] && command -v unshare >/dev/null && command -v ip >/dev/null || return 1
  case "${DISPLAY:-}" in "" | :*) ;; *) return 1 ;; esac
  unshare --net true 2>/dev/null
}

demo_private_loopback() {
  if [ -z "${TESSARO_DEMO_PRIVATE_LOOPBACK:-}" ] && [ "${TESSARO_DEMO_SHARED_LOOPBACK:-0}" != 1 ] &&
     private_loopback_possible; then
    export TESSARO_DEMO_PRIVATE_LOOPBACK=1 tested tested_dir
    exec unshare --net "$0" "$@"
  fi
  if [ -n "${TESSARO_DEMO_PRIVATE_LOOPBACK:-}" ]; then
    ip link set lo up || fail "cannot bring up the private loopback"
    say "running in a private network namespace: its port 443 is the demo's alone"
  fi
}

# The median of the numbers given (the mean of the middle two for an even count).
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A Windows path for a file of ours: the prefix's drive Z: is the machine's root folder.
windows_path() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

# Wine programs run in the background and are waited for: a signal (Ctrl-C) then reaches the script's
# trap at once, whatever the program does with it, and the clean-up ends the prefix's processes.
run_windows_program() {
  "$tessaro_wine" "$@" </dev/null &
  wait $!
}

port_is_free() {
  python3 -c 'import socket, sys
s = socket.socket()
try:
    s.bind(("127.0.0.1", 443))
except OSError:
    sys.exit(1)' 2>/dev/null
}

wait_for_port() {
  local limit=${TESSARO_DEMO_PORT_WAIT:-120} waited=0
  port_is_free && return 0
  say "port 443 of 127.0.0.1 is in use:"
  ss -ltnpH 'sport = :443' 2>/dev/null | sed "s/^/$demo_name:   /" || true
  say "the program always asks port 443; waiting up to $limit s for it to be free (TESSARO_DEMO_PORT_WAIT)"
  while ! port_is_free; do
    [ "$waited" -ge "$limit" ] && fail "port 443 is still in use after $limit s: end the server that holds it" \
                                       "(a test run's server ends with its run) and start again"
    sleep 1
    waited=$((waited + 1))
  done
}

demo_cleanup() {
  local status=$?
  trap - EXIT INT TERM
  python3 tools/config_server/config_server.py stop --pid-file "$state/server.pid" >/dev/null 2>&1 || true
  wine_server_stop  # Ends every Wine process of the demo prefix (only that prefix) and our Xvfb.
  exit "$status"
}

demo_start() {
  state=$PWD/$tested_dir/demo
  mkdir -p "$state"
  export TESSARO_ARCH=$tested
  export TESSARO_WINEPREFIX=${TESSARO_DEMO_WINEPREFIX:-$PWD/.wine-demo$([ "$tested" = x86_64 ] && echo 64)}
  . tools/wine-env.sh
  trap demo_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM

  tools/config_server/make_certs.sh
  wine_prefix_ready
  wine_display_ready
  # A program left over from an earlier run would hold the single-instance mark: a new start would
  # only bring that window forward. The prefix's processes are ended first.
  "$tessaro_wineserver" -k >/dev/null 2>&1 || true
  wine_server_start
  run_windows_program "$(windows_path "$tested_dir/tools/trust_ca/trust_ca.exe")" "$(windows_path .certs/ca.pem)" \
    >"$state/trust_ca.log" 2>&1 || { cat "$state/trust_ca.log" >&2; fail "cannot trust the test CA in $WINEPREFIX"; }

  python3 tools/config_server/config_server.py stop --pid-file "$state/server.pid" >/dev/null 2>&1 || true
  wait_for_port
  server_log=$state/requests.log
  : >"$server_log"
  local extra_files=()
  [ -z "${TESSARO_DEMO_EXTRA_FILES:-}" ] ||
    extra_files=(--files "$PWD/tools/config_server/demo/static" --files "$TESSARO_DEMO_EXTRA_FILES")
  python3 tools/config_server/config_server.py start --pid-file "$state/server.pid" --log "$server_log" \
    "${extra_files[@]}" || fail "the demo configuration server did not start (port 443 taken meanwhile, or no right to bind it)"
  say "demo configuration server on https://localhost/ (requests logged in $server_log)"
}

# The main window's look before the server's page, painted from the same skin by the previewer, into
# FILE: the capture tool takes the page as shown when the window differs enough from it.
paint_start_look() {
  run_windows_program "$(windows_path "$tested_dir/tools/skin_preview/skin_preview.exe")" MainWnd.xml \
    --out "$(windows_path "$1")" >"$state/skin_preview.log" 2>&1 \
    || { cat "$state/skin_preview.log" >&2; fail "cannot paint the window's start look"; }
}
