#!/usr/bin/env bash
# The project's test command: installs what is missing, builds everything and runs every test
# program under Wine. Extra arguments go to ctest (for example -R core_tests).
#
# Which configuration is tested is decided by trying: a tiny 32-bit Linux program is run, and when
# the machine runs it the 32-bit Windows build (i686, the one that ships) is built and tested, as
# always. Some kernels refuse 32-bit programs ("Exec format error"), and Wine's 32-bit loader with
# them; there the 64-bit build (x86_64) is tested under 64-bit Wine in a 64-bit prefix of its own,
# and the i686 build is still built so that the shipping build can never break unseen.
#   TESSARO_TEST_ARCH=i686|x86_64  forces the tested configuration
#   TESSARO_DEBUG=1                debug builds with assertions on (build/mingw-debug, ...)
#   TESSARO_BUILD_DIR              another build folder for the tested configuration
#   TESSARO_WINEPREFIX             another Wine prefix (two runs can then go on side by side)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Runs a 95-byte static i386 Linux program that exits with status 32. Prints why it failed, if so.
# It is written into the build folder, not /tmp, which may be mounted without exec rights.
runs_32_bit_programs() {
  local probe="$root/build/probe-i386"
  mkdir -p "$root/build"
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00' \
              '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00' \
              '\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
              '\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
              '\x31\xdb\xb3\x20\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  local status=0 message
  message=$("$probe" 2>&1) || status=$?
  rm -f "$probe"
  [ "$status" -eq 32 ] && return 0
  echo "${message##*: }" | tail -n 1
  return 1
}

choose_configuration() {
  case "${TESSARO_TEST_ARCH:-}" in
    i686|x86_64)
      tested=$TESSARO_TEST_ARCH
      reason="forced by TESSARO_TEST_ARCH"
      ;;
    "")
      local failure
      if failure=$(runs_32_bit_programs); then
        tested=i686
        reason="this machine runs 32-bit programs"
      else
        tested=x86_64
        reason="this machine cannot run 32-bit programs: ${failure:-exit status not 32}"
      fi
      ;;
    *)
      echo "test.sh: TESSARO_TEST_ARCH must be i686 or x86_64, not '$TESSARO_TEST_ARCH'" >&2
      exit 2
      ;;
  esac
}

choose_configuration
if [ "$tested" = i686 ]; then
  echo "test.sh: testing i686 ($reason)"
  configurations=(i686)
else
  echo "test.sh: testing x86_64 under 64-bit Wine ($reason); building i686 as well"
  configurations=(i686 x86_64)
fi

tools/setup-deps.sh "${configurations[@]}"

debug_suffix=""
[ "${TESSARO_DEBUG:-0}" = 1 ] && debug_suffix=-debug
preset_of() { local base=mingw; [ "$1" = x86_64 ] && base=mingw64; echo "$base$debug_suffix"; }
tested_dir=${TESSARO_BUILD_DIR:-build/$(preset_of "$tested")}
for configuration in "${configurations[@]}"; do
  build_dir=build/$(preset_of "$configuration")
  [ "$configuration" = "$tested" ] && build_dir=$tested_dir
  cmake --preset "$(preset_of "$configuration")" -B "$build_dir" >/dev/null
  cmake --build "$build_dir"
done

export TESSARO_ARCH=$tested
. tools/wine-env.sh
wine_prefix_ready
wine_display_ready
wine_server_start
trap wine_server_stop EXIT
ctest --test-dir "$tested_dir" --output-on-failure --no-tests=error --timeout 600 -j2 "$@"
