#!/usr/bin/env bash
# Builds libpng as a static library for the Windows targets named (x86_64, i686; both when
# none is named), from Debian's source package, against the mingw zlib of libz-mingw-w64-dev.
# Does nothing for a target built already.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/third_party"
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)

built=1
for arch in "${arches[@]}"; do
    [ -f "$out/$arch-w64-mingw32/lib/libpng16.a" ] || built=0
done
[ $built -eq 1 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# The source package needs a deb-src entry for the same archive as the binary packages.
if [ -z "$(apt-cache showsrc libpng1.6 2>/dev/null | grep '^Version:')" ]; then
    . /etc/os-release
    $SUDO tee /etc/apt/sources.list.d/brimzo-src.sources >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $VERSION_CODENAME $VERSION_CODENAME-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $VERSION_CODENAME-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $SUDO apt-get update -q
fi

mkdir -p "$out/src"
cd "$out/src"
if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then
    # the newest listed version may be missing from the pool: take the newest that comes
    for version in $(apt-cache showsrc libpng1.6 | awk '/^Version:/ {print $2}' | sort -rVu); do
        apt-get source -q "libpng1.6=$version" && break
    done
fi
source_dir=$(ls -d "$out"/src/libpng1.6-*/ | head -n 1)

for arch in "${arches[@]}"; do
    prefix="$out/$arch-w64-mingw32"
    [ -f "$prefix/lib/libpng16.a" ] && continue
    cmake -S "$source_dir" -B "$out/build-$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DZLIB_LIBRARY="/usr/$arch-w64-mingw32/lib/libz.a" \
        -DZLIB_INCLUDE_DIR="/usr/$arch-w64-mingw32/include"
    cmake --build "$out/build-$arch"
    cmake --install "$out/build-$arch"
done
