#!/usr/bin/env bash
# Installs everything the build and the tests need, idempotently:
#   1. Debian packages (mingw-w64, Wine, Xvfb, fonts, zlib for mingw, stb, GoogleTest, CMake, ...);
#   2. jsoncpp, minizip and GoogleTest cross-built for each configuration named on the command line
#      (i686, x86_64; default i686) into .deps/<configuration> (git-ignored), from Debian's source
#      packages and /usr/src/googletest.
# A second run with everything present finishes in well under a second.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/.deps/src"
stamp_want="jsoncpp+minizip+gtest v1"

# Both configurations' compilers and Wine loaders: the 32-bit one ships, the 64-bit one tests on
# machines that cannot run 32-bit programs.
packages=(mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32 wine64 xvfb xauth
          fonts-wqy-microhei libz-mingw-w64-dev libstb-dev googletest cmake ninja-build python3 openssl
          bzip2 xz-utils clang-format iproute2)

log() { printf 'setup: %s\n' "$*"; }

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then echo sudo; else
      echo "setup: installing packages needs root (run as root or install sudo)" >&2; exit 1
    fi
  fi
}

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && return 0
  local sudo; sudo=$(need_root)
  log "installing Debian packages: $(echo $missing)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}

# apt-get source needs deb-src lines; add them beside the configured Debian sources.
ensure_deb_src() {
  if grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then return 0; fi
  local sudo; sudo=$(need_root)
  log "adding deb-src entries for Debian's source packages"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    grep -q 'debian' "$f" || continue
    sed -e 's/^Types: deb$/Types: deb-src/' "$f" | $sudo tee "/etc/apt/sources.list.d/$(basename "$f" .sources)-src.sources" >/dev/null
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/tessaro-src.list >/dev/null
  fi
  $sudo apt-get update -q
}

# Downloads a source package's tarballs into $work/NAME (once). Falls back to the release suite when
# the newest version's files are not downloadable.
fetch_source() {
  local name=$1 dir="$work/$1"
  if ls "$dir"/*.orig.tar.* >/dev/null 2>&1; then return 0; fi
  ensure_deb_src
  mkdir -p "$dir"
  (cd "$dir" && { apt-get source -q --tar-only "$name" || apt-get source -q --tar-only "$name/bookworm"; })
}

unpack_orig() {
  local name=$1 dir="$work/$1"
  rm -rf "$dir/tree" && mkdir -p "$dir/tree"
  tar -xf "$(ls "$dir"/*.orig.tar.* | head -n1)" -C "$dir/tree" --strip-components=1
}

# Set by build_configuration for the configuration being built.
arch="" prefix="" toolchain=""

cmake_cross() {
  local src=$1 build=$2-$arch; shift 2
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
  cmake --build "$build" >/dev/null
  cmake --install "$build" >/dev/null
}

build_jsoncpp() {
  fetch_source libjsoncpp
  unpack_orig libjsoncpp
  log "building jsoncpp for $arch"
  cmake_cross "$work/libjsoncpp/tree" "$work/libjsoncpp/build" -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
      -DBUILD_OBJECT_LIBS=OFF -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
      -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF -DJSONCPP_WITH_CMAKE_PACKAGE=ON
}

# minizip lives in zlib's source under contrib/minizip; it has no CMake build of its own, so a small
# one (tools/minizip/CMakeLists.txt) builds unzip.c, zip.c and ioapi.c against the mingw zlib package.
build_minizip() {
  fetch_source zlib
  unpack_orig zlib
  log "building minizip for $arch"
  cmake_cross "$root/tools/minizip" "$work/zlib/build" -DMINIZIP_SOURCE_DIR="$work/zlib/tree/contrib/minizip"
}

build_gtest() {
  log "building GoogleTest for $arch"
  cmake_cross /usr/src/googletest "$work/googletest/build" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
      -Dgtest_disable_pthreads=OFF
}

# pugixml's source, unpacked only: the markup benchmark (tools/bench) compiles pugixml.cpp itself with
# its own flags, as a comparison for our parser. Optional: the build skips the benchmark without it.
unpack_pugixml() {
  [ -f "$work/pugixml/tree/src/pugixml.cpp" ] && return 0
  mkdir -p "$work"
  if ! fetch_source pugixml; then
    log "pugixml source not available; the markup benchmark will not be built"
    return 0
  fi
  unpack_orig pugixml
  log "pugixml source unpacked in $work/pugixml/tree"
}

build_configuration() {
  arch=$1
  case "$arch" in
    i686|x86_64) ;;
    *) echo "setup: unknown configuration '$arch' (i686 or x86_64)" >&2; exit 2 ;;
  esac
  prefix="$root/.deps/$arch"
  toolchain="$root/cmake/toolchain-$arch-w64-mingw32.cmake"
  local stamp="$prefix/.stamp"
  [ "$(cat "$stamp" 2>/dev/null)" = "$stamp_want" ] && return 0
  mkdir -p "$prefix" "$work"
  build_jsoncpp
  build_minizip
  build_gtest
  echo "$stamp_want" > "$stamp"
  log "third-party libraries installed in $prefix"
}

install_packages
for configuration in "${@:-i686}"; do
  build_configuration "$configuration"
done
unpack_pugixml
