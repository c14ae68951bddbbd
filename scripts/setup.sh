#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to the point where both build trees
# configure: apt packages (with 32-bit Wine), libpng cross-built for i686
# from Debian's own source package, and GoogleTest cross-built from the
# sources that libgtest-dev installs. Idempotent: quick when nothing is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
deps=$build/deps
mkdir -p "$deps"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  build-essential cmake ninja-build pkg-config file dpkg-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  libz-mingw-w64-dev libpng-dev zlib1g-dev libgtest-dev
  wine wine32:i386 wine64 xvfb xauth
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  fonts-wine fonts-crosextra-carlito fonts-dejavu-core
  python3-pil
  nsis
  libbenchmark-dev libssl-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi


# Unpacks Debian's libpng source into $png_src (once per run).
png_src=
fetch_libpng_source() {
  [ -n "$png_src" ] && return
  local work=$deps/libpng-src
  rm -rf "$work" && mkdir -p "$work"
  # A temporary source entry, removed again whatever happens; private package
  # lists, so that the machine's own lists stay as they were.
  local list=/etc/apt/sources.list.d/lingvora-src.sources
  local lists_dir=$deps/apt-lists
  mkdir -p "$lists_dir/partial"
  trap 'as_root rm -f /etc/apt/sources.list.d/lingvora-src.sources' EXIT
  local uris
  uris=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$uris" ] || uris=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "${uris:-http://deb.debian.org/debian}" | as_root tee "$list" >/dev/null
  local apt_opts=(-o "Dir::State::Lists=$lists_dir" -o Debug::NoLocking=1)
  as_root apt-get "${apt_opts[@]}" update -qq
  (cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq libpng1.6 2>/dev/null)
  as_root rm -f "$list"
  trap - EXIT
  (cd "$work" && dpkg-source -x --no-check ./libpng1.6_*.dsc src >/dev/null)
  png_src=$work/src
}

# Test programs run under Wine in the architecture this machine can execute:
# i686 where 32-bit code runs, otherwise x86_64 builds of the same sources.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then wine_arch=i686; else wine_arch=x86_64; fi
echo "$wine_arch" > "$build/wine-arch"
arches=(i686)
[ "$wine_arch" = i686 ] || arches+=("$wine_arch")

for arch in "${arches[@]}"; do
  toolchain=$root/cmake/mingw-$arch.cmake
  sysroot=/usr/$arch-w64-mingw32

  # libpng, from Debian's source package with Debian's patches applied.
  png_prefix=$deps/libpng-$arch
  if [ ! -f "$png_prefix/lib/libpng16.a" ]; then
    echo "setup: cross-building libpng for $arch"
    fetch_libpng_source
    cmake -S "$png_src" -B "$deps/libpng-build-$arch" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$png_prefix" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DZLIB_LIBRARY="$sysroot/lib/libz.a" -DZLIB_INCLUDE_DIR="$sysroot/include" \
      -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON >/dev/null
    cmake --build "$deps/libpng-build-$arch" -j2 >/dev/null
    cmake --install "$deps/libpng-build-$arch" >/dev/null
    rm -rf "$deps/libpng-build-$arch"
  fi

  # GoogleTest for the Windows test programs.
  gtest_prefix=$deps/gtest-$arch
  if [ ! -f "$gtest_prefix/lib/libgtest.a" ]; then
    echo "setup: cross-building GoogleTest for $arch"
    cmake -S /usr/src/googletest -B "$deps/gtest-build-$arch" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF >/dev/null
    cmake --build "$deps/gtest-build-$arch" -j2 >/dev/null
    cmake --install "$deps/gtest-build-$arch" >/dev/null
    rm -rf "$deps/gtest-build-$arch"
  fi
done
rm -rf "$deps/libpng-src"
echo "setup: ready"
