#!/usr/bin/env bash
# Download figures of the installer fetch, printed in one run (a benchmark: it prints, it asserts
# nothing):
#   tools/bench/download_figures.sh [MEGABYTES]     (the file's size, default 100)
# The demo configuration server serves a file of random bytes; curl fetches it on the Linux side and
# download_benchmark.exe fetches it under Wine through the program's own WinHTTP download (the one the
# install button uses), three times each; the medians give the program's throughput as a ratio to
# curl's (target: at least 0.9). Runs on the demo's Wine prefix and server (tools/demo-env.sh).
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
demo_build download_benchmark trust_ca
unset DISPLAY
demo_private_loopback "${arguments[@]}"
served=$PWD/$tested_dir/demo/served
mkdir -p "$served/installers"
head -c "$((megabytes * 1024 * 1024))" /dev/urandom >"$served/installers/big.bin"
export TESSARO_DEMO_EXTRA_FILES=$served
demo_start

url=https://localhost/installers/big.bin
target=$state/downloaded.bin
benchmark=$(windows_path "$tested_dir/tools/bench/download_benchmark.exe")
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

curl_ms=() ours_ms=()
for run in 1 2 3; do
  seconds=$(curl --silent --show-error --fail --cacert .certs/ca.pem --output "$target" \
              --write-out '%{time_total}' "$url") || fail "curl could not fetch $url"
  curl_ms+=("$(awk -v s="$seconds" 'BEGIN { printf "%d", s * 1000 }')")
  output=$(run_windows_program "$benchmark" "$url" "$(windows_path "$target")" 2>&1) \
    || fail "download_benchmark failed: $output"
  ours_ms+=("$(sed -n 's/.* bytes in \([0-9]*\) ms.*/\1/p' <<<"$output")")
  say "run $run: curl ${curl_ms[-1]} ms, tessaro's download ${ours_ms[-1]} ms"
done
cmp -s "$target" "$served/installers/big.bin" || fail "the downloaded file differs from the served one"

curl_median=$(median "${curl_ms[@]}")
ours_median=$(median "${ours_ms[@]}")
echo
echo "download figures ($tested build, ${megabytes} MB from the local server, medians of 3)"
awk -v mb="$megabytes" -v c="$curl_median" -v o="$ours_median" 'BEGIN {
  printf "  curl                 %6d ms  %7.1f MB/s\n", c, mb * 1000 / c
  printf "  tessaro download     %6d ms  %7.1f MB/s  = %.2f x curl   target 0.90 x: %s\n", o, mb * 1000 / o,
         c / o, (c / o >= 0.9) ? "met" : "missed"
}'
