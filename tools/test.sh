#!/usr/bin/env bash
# The project's test command: installs what is missing, builds everything for 32-bit Windows and
# runs every test program under Wine. Extra arguments go to ctest (for example -R core_tests).
# TESSARO_BUILD_DIR and TESSARO_WINEPREFIX choose another build folder and Wine prefix, so that
# two runs can go on side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build_dir=${TESSARO_BUILD_DIR:-build/mingw}

tools/setup-deps.sh
cmake --preset mingw -B "$build_dir" >/dev/null
cmake --build "$build_dir"

. tools/wine-env.sh
wine_prefix_ready
wine_display_ready
wine_server_start
trap wine_server_stop EXIT
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error --timeout 600 -j2 "$@"
