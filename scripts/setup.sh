#!/usr/bin/env bash
# Installs every Debian package the project builds and tests with; "setup.sh play" only what
# playing needs (the 64-bit Windows program under Wine). Safe to run again: it asks apt only
# for what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ libpng-dev libfreetype-dev fonts-dejavu-core
    mingw-w64 libz-mingw-w64-dev dpkg-dev xz-utils wine wine64 python3
)
arches=(x86_64)
if [ "${1:-}" != "play" ]; then
    packages+=(clang clang-format libclang-rt-14-dev libgtest-dev libbenchmark-dev
               xvfb xdotool xclip imagemagick emscripten webp brotli chromium
               firefox-esr webkit2gtk-driver)
    arches+=(i686)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # wine without its recommended 32-bit half: the tests unpack it apart (unpack-wine32.sh)
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libpng for the Windows program, built from Debian's source package (once)
bash "$(dirname "$0")/build-libpng-mingw.sh" "${arches[@]}"
[ "${1:-}" != "play" ] || exit 0

# Wine's 32-bit half, unpacked for the tests where the kernel starts i386 programs (once)
bash "$(dirname "$0")/unpack-wine32.sh"

# Node and npm run the browser tests; a Node of another origin may already bring npm.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get install -y -q --no-install-recommends nodejs npm
fi

# puppeteer-core for the browser tests, as the lock file pins it (it brings no browser)
cd "$(dirname "$0")/.."
if [ ! node_modules/.package-lock.json -nt package-lock.json ]; then
    npm ci --no-audit --no-fund
fi
