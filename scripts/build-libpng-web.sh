#!/usr/bin/env bash
# Builds zlib and libpng as static WebAssembly libraries with Emscripten, from Debian's source
# packages, for the browser version. Does nothing when both are built already. The deb-src
# entry and the libpng source come from scripts/build-libpng-mingw.sh, which setup.sh runs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/third_party"
prefix="$out/wasm32-emscripten"
[ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/lib/libz.a" ] && exit 0

# Emscripten's JavaScript optimiser needs Debian's node modules (acorn).
export NODE_PATH=/usr/share/nodejs

# As with libpng, the newest listed zlib may be missing from the pool: take the newest that comes.
mkdir -p "$out/src"
cd "$out/src"
if ! ls -d zlib-*/ >/dev/null 2>&1; then
    for version in $(apt-cache showsrc zlib | awk '/^Version:/ {print $2}' | sort -rVu); do
        apt-get source -q "zlib=$version" && break
    done
fi
zlib_dir=$(ls -d "$out"/src/zlib-*/ | head -n 1)
png_dir=$(ls -d "$out"/src/libpng1.6-*/ | head -n 1)

# zlib's own CMake file wants a Windows resource that the Debian source lacks: its library is
# just these fifteen files, with zconf.h set up as zlib's configure does on a POSIX system.
mkdir -p "$prefix/lib" "$prefix/include" "$out/build-zlib-web"
sed -e 's/^#ifdef HAVE_UNISTD_H .*/#if 1/' -e 's/^#ifdef HAVE_STDARG_H .*/#if 1/' \
    "$zlib_dir/zconf.h.in" >"$prefix/include/zconf.h"
cp "$zlib_dir/zlib.h" "$prefix/include/"
objects=()
for name in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
    inftrees trees uncompr zutil; do
    emcc -O2 -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$zlib_dir/$name.c" -o "$out/build-zlib-web/$name.o"
    objects+=("$out/build-zlib-web/$name.o")
done
rm -f "$prefix/lib/libz.a"
emar rcs "$prefix/lib/libz.a" "${objects[@]}"

emcmake cmake -S "$png_dir" -B "$out/build-png-web" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
cmake --build "$out/build-png-web"
cmake --install "$out/build-png-web"
