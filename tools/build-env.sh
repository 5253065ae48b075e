# Sourced by the scripts that build the project before they run something (tools/test.sh,
# tools/run-demo.sh): decides which configuration this machine runs, installs what is missing and
# builds. Expects the project's root as the current folder.
#
# Which configuration runs is decided by trying: a tiny 32-bit Linux program is run, and when the
# machine runs it the 32-bit Windows build (i686, the one that ships) is the one run, as always. Some
# kernels refuse 32-bit programs ("Exec format error"), and Wine's 32-bit loader with them; there the
# 64-bit build (x86_64) runs under 64-bit Wine in a 64-bit prefix of its own, and the i686 build is
# still built so that the shipping build can never break unseen.
#   TESSARO_TEST_ARCH=i686|x86_64  forces the configuration that runs
#   TESSARO_DEBUG=1                debug builds with assertions on (build/mingw-debug, ...)
#   TESSARO_BUILD_DIR              another build folder for the configuration that runs
# Functions: choose_configuration sets `tested` (i686 or x86_64), `reason` (why) and `configurations`
# (those to build); build_configurations [TARGET...] installs what is missing, builds each of them
# (everything, or only the named targets) and sets `tested_dir`, the build folder of the one that runs.

# Runs a 95-byte static i386 Linux program that exits with status 32. Prints why it failed, if so.
# It is written into the build folder, not /tmp, which may be mounted without exec rights.
runs_32_bit_programs() {
  local probe="$PWD/build/probe-i386"
  mkdir -p "$PWD/build"
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
      echo "build: TESSARO_TEST_ARCH must be i686 or x86_64, not '$TESSARO_TEST_ARCH'" >&2
      exit 2
      ;;
  esac
  configurations=("$tested")
  [ "$tested" = i686 ] || configurations=(i686 x86_64)
}

# The CMake preset of a configuration (CMakePresets.json).
preset_of() {
  local base=mingw suffix=""
  [ "$1" = x86_64 ] && base=mingw64
  [ "${TESSARO_DEBUG:-0}" = 1 ] && suffix=-debug
  echo "$base$suffix"
}

build_configurations() {
  tools/setup-deps.sh "${configurations[@]}"
  local configuration build_dir
  tested_dir=${TESSARO_BUILD_DIR:-build/$(preset_of "$tested")}
  for configuration in "${configurations[@]}"; do
    build_dir=build/$(preset_of "$configuration")
    [ "$configuration" = "$tested" ] && build_dir=$tested_dir
    cmake --preset "$(preset_of "$configuration")" -B "$build_dir" >/dev/null
    if [ $# -gt 0 ]; then cmake --build "$build_dir" --target "$@"; else cmake --build "$build_dir"; fi
  done
}
