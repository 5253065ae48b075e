#!/usr/bin/env bash
# Download figures of the installer fetch, printed in one run (a benchmark: it prints, it asserts
# nothing):
#   tools/bench/download_figures.sh [MEGABYTES]     (the file's size, default 100)
# - throughput: the demo configuration server serves a file of random bytes; curl fetches it on the
#   Linux side and download_benchmark.exe fetches it under Wine through the program's own WinHTTP
#   download (the one the install button uses, after one untimed small fetch that loads and warms the
#   TLS libraries, as the program has done before any click), three times each; the medians give the
#   program's throughput as a ratio to curl's (target: at least 0.9);
# - the floor under any client in this Wine: the same file over plain HTTP (a local python http.server)
#   read over a bare socket with 16 KiB and 256 KiB receives, next to curl over the same plain HTTP;
# - click to installer start: what the install button starts (download worker, checks, installer
#   worker) for the small test installer, from the click to the installer's first instruction; median
#   of five.
# Runs on the demo's Wine prefix and server (tools/demo-env.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
demo_name=download_figures

arguments=("$@")
megabytes=${1:-100}
case "$megabytes" in
  [1-9] | [1-9][0-9] | [1-9][0-9][0-9]) ;;
  *) echo "download_figures: MEGABYTES must be a number from 1 to 999, not '$megabytes'" >&2; exit 2 ;;
esac

. tools/demo-env.sh
demo_build download_benchmark trust_ca test_installer
unset DISPLAY
demo_private_loopback "${arguments[@]}"
served=$PWD/$tested_dir/demo/served
mkdir -p "$served/installers"
head -c "$((megabytes * 1024 * 1024))" /dev/urandom >"$served/installers/big.bin"
cp "$tested_dir/tests/app/served/installers/test_installer.exe" "$served/installers/"
export TESSARO_DEMO_EXTRA_FILES=$served
demo_start

url=https://localhost/installers/big.bin
installer_url=https://localhost/installers/test_installer.exe
target=$state/downloaded.bin
benchmark=$(windows_path "$tested_dir/tools/bench/download_benchmark.exe")

curl_ms=() ours_ms=()
for run in 1 2 3; do
  seconds=$(curl --silent --show-error --fail --cacert .certs/ca.pem --output "$target" \
              --write-out '%{time_total}' "$url") || fail "curl could not fetch $url"
  curl_ms+=("$(awk -v s="$seconds" 'BEGIN { printf "%d", s * 1000 }')")
  output=$(run_windows_program "$benchmark" "$url" "$(windows_path "$target")" "$installer_url" 2>&1) \
    || fail "download_benchmark failed: $output"
  ours_ms+=("$(sed -n 's/.* bytes in \([0-9]*\) ms.*/\1/p' <<<"$output")")
  say "run $run: curl ${curl_ms[-1]} ms, tessaro's download ${ours_ms[-1]} ms"
done
cmp -s "$target" "$served/installers/big.bin" || fail "the downloaded file differs from the served one"

plain_port=8080
python3 -m http.server "$plain_port" --bind 127.0.0.1 --directory "$served/installers" \
  </dev/null >"$state/plain_http.log" 2>&1 &
plain_server=$!
trap 'kill "$plain_server" 2>/dev/null; demo_cleanup' EXIT
plain_url=http://localhost:$plain_port/big.bin
for _ in $(seq 50); do curl --silent --fail --output /dev/null --range 0-0 "$plain_url" && break; sleep 0.1; done
plain_seconds=$(curl --silent --show-error --fail --output /dev/null --write-out '%{time_total}' "$plain_url") \
  || fail "curl could not fetch $plain_url"
socket_lines=$(run_windows_program "$benchmark" --socket "$plain_url" 2>&1) || fail "socket floor failed: $socket_lines"

start_ms=() handed_ms=()
for run in 1 2 3 4 5; do
  output=$(run_windows_program "$benchmark" --install "$installer_url" 2>&1) \
    || fail "download_benchmark --install failed: $output"
  start_ms+=("$(sed -n 's/installer started \([0-9.]*\) ms.*/\1/p' <<<"$output")")
  handed_ms+=("$(sed -n 's/.*checked after \([0-9.]*\) ms.*/\1/p' <<<"$output")")
done

curl_median=$(median "${curl_ms[@]}")
ours_median=$(median "${ours_ms[@]}")
echo
echo "download figures ($tested build, ${megabytes} MB from the local server, medians of 3)"
awk -v mb="$megabytes" -v c="$curl_median" -v o="$ours_median" 'BEGIN {
  printf "  curl                 %6d ms  %7.1f MB/s\n", c, mb * 1000 / c
  printf "  tessaro download     %6d ms  %7.1f MB/s  = %.2f x curl   target 0.90 x: %s\n", o, mb * 1000 / o,
         c / o, (c / o >= 0.9) ? "met" : "missed"
}'
awk -v mb="$megabytes" -v s="$plain_seconds" 'BEGIN {
  printf "  plain HTTP: curl     %6d ms  %7.1f MB/s\n", s * 1000, mb / s }'
sed 's/^socket, \([0-9]*\)-byte receives: [0-9]* bytes in \([0-9]*\) ms/\1 \2/' <<<"$socket_lines" |
  awk -v mb="$megabytes" '{ printf "  plain HTTP: socket, %3d KiB receives %6d ms  %7.1f MB/s\n", $1 / 1024, $2, mb * 1000 / $2 }'
printf '  click to installer start (test installer, %s bytes): median %s ms of %s\n' \
  "$(stat -c %s "$served/installers/test_installer.exe")" "$(median "${start_ms[@]}")" "${start_ms[*]}"
printf '    of which download and checks: median %s ms (the rest is starting the process)\n' \
  "$(median "${handed_ms[@]}")"
