#!/usr/bin/env bash
# The project's test command: installs what is missing, builds everything and runs every test
# program under Wine. Extra arguments go to ctest (for example -R core_tests).
# Which configuration is tested, and the variables that change it, are described in
# tools/build-env.sh; besides them:
#   TESSARO_WINEPREFIX             another Wine prefix (two runs can then go on side by side)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/build-env.sh

choose_configuration
if [ "$tested" = i686 ]; then
  echo "test.sh: testing i686 ($reason)"
else
  echo "test.sh: testing x86_64 under 64-bit Wine ($reason); building i686 as well"
fi
build_configurations

export TESSARO_ARCH=$tested
. tools/wine-env.sh
wine_prefix_ready
wine_display_ready
wine_server_start
trap wine_server_stop EXIT
ctest --test-dir "$tested_dir" --output-on-failure --no-tests=error --timeout 600 -j2 "$@"
