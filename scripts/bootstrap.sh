#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine:
# compilers, libraries, Wine and Xvfb from Debian's packages, and
# libjpeg-turbo cross-built for mingw-w64 from Debian's source package. Quick
# when everything is in place already.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3
  zlib1g-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev googletest libdeflate-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 wine32:i386 fonts-wine xvfb xauth imagemagick osslsigncode
  dpkg-dev xz-utils ca-certificates
)

install_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  log "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then as_root dpkg --add-architecture i386; fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -t bookworm --no-install-recommends "${missing[@]}"
}

# libjpeg-turbo and libdeflate for mingw are not packaged: fetch Debian's
# sources without touching the system's apt configuration and build static
# libraries. The libdeflate source is the same version as the native package,
# so the native and the Windows setuppack pack identical bytes.
debian_source() {
  local package=$1
  local src=$BUILD_ROOT/deps/src
  local tarball
  tarball=$(ls "$src"/"${package}"_*.orig.tar.gz 2>/dev/null | head -n 1 || true)
  if [ -z "$tarball" ]; then
    log "fetching Debian's $package source"
    mkdir -p "$src/apt/lists/partial" "$src/apt/sources.list.d"
    cat >"$src/apt/sources.list.d/debian-src.sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    local opts=(-o "Dir::Etc::SourceParts=$src/apt/sources.list.d" -o Dir::Etc::SourceList=/dev/null
                -o "Dir::State::Lists=$src/apt/lists" -o APT::Sandbox::User=root)
    [ -d "$src/apt/lists" ] && ls "$src/apt/lists"/*Sources* >/dev/null 2>&1 || apt-get "${opts[@]}" update -q >/dev/null
    (cd "$src" && apt-get "${opts[@]}" source --download-only "$package" >/dev/null)
    tarball=$(ls "$src"/"${package}"_*.orig.tar.gz | head -n 1)
  fi
  echo "$tarball"
}

# The setup program only decodes its side image at its own size with the
# default (accurate integer) method, and every byte of the decoder is in
# every setup a vendor ships: the library is built small, without the
# options nothing asks for (arithmetic coding, the other DCT methods, scaled
# output, merged upsampling, colour quantisation), each function in its own
# section so that the linker drops what is unused, and without reading the
# JPEGMEM environment variable, which would pull in a scanf.
LIBJPEG_OPTIONS="MinSizeRel arith=off no-getenv sections; jmorecfg: -ifast -float -scaling -merging -quant1 -quant2"

build_libjpeg() {
  local arch=$1 triplet=$2
  local prefix=$BUILD_ROOT/deps/$arch
  if [ -f "$prefix/lib/libjpeg.a" ] && [ "$(cat "$prefix/libjpeg-options" 2>/dev/null)" = "$LIBJPEG_OPTIONS" ]; then
    return
  fi
  local tarball work
  tarball=$(debian_source libjpeg-turbo)
  work=$BUILD_ROOT/deps/work-$arch
  rm -rf "$work"
  mkdir -p "$work"
  tar -xzf "$tarball" -C "$work" --strip-components=1
  # jmorecfg.h is where libjpeg is meant to be configured.
  sed -i -E 's@^#define (DCT_IFAST_SUPPORTED|DCT_FLOAT_SUPPORTED|IDCT_SCALING_SUPPORTED|UPSAMPLE_MERGING_SUPPORTED|QUANT_1PASS_SUPPORTED|QUANT_2PASS_SUPPORTED)\b@#undef \1 //@' \
    "$work/jmorecfg.h"
  log "building libjpeg-turbo for $triplet"
  cat >"$work/toolchain.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${arch})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
  cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections -DNO_GETENV" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev >/dev/null
  cmake --build "$work/build" --target install -j "$(jobs_count)" >/dev/null
  rm -rf "$work"
  [ -f "$prefix/lib/libjpeg.a" ] || die "libjpeg-turbo for $triplet did not build"
  echo "$LIBJPEG_OPTIONS" >"$prefix/libjpeg-options"
}

build_libdeflate() {
  local arch=$1 triplet=$2
  local prefix=$BUILD_ROOT/deps/$arch
  [ -f "$prefix/lib/libdeflate.a" ] && return
  local tarball work
  tarball=$(debian_source libdeflate)
  work=$BUILD_ROOT/deps/work-deflate-$arch
  rm -rf "$work"
  mkdir -p "$work" "$prefix/lib" "$prefix/include"
  tar -xzf "$tarball" -C "$work" --strip-components=1
  log "building libdeflate for $triplet"
  make -C "$work" -j "$(jobs_count)" CC="$triplet-gcc-posix" AR="$triplet-ar" libdeflatestatic.lib >/dev/null
  cp "$work/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
  cp "$work/libdeflate.h" "$prefix/include/"
  rm -rf "$work"
}

install_packages
build_libdeflate i686 i686-w64-mingw32
build_libdeflate x86_64 x86_64-w64-mingw32
build_libjpeg i686 i686-w64-mingw32
build_libjpeg x86_64 x86_64-w64-mingw32
ensure_wine_prefix "$(wine_arch)"
log "bootstrap complete (Wine: $(wine_arch))"
