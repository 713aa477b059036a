#!/usr/bin/env bash
# Wine's 32-bit half, for running the 32-bit program in the tests: Debian's wine32:i386 of the
# installed Wine's version and the i386 libraries it needs, downloaded with an apt state of its
# own and unpacked, not installed, into build/third_party/wine32/root. A test lays its usr/lib
# over /usr/lib in a mount namespace of its own (tests/e2e/harness.py), so the system is left
# as it was. Only where the kernel starts i386 programs; once.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)/build/third_party/wine32"
[ ! -f "$top/root/.unpacked" ] || exit 0

# a program of 96 bytes for i386 that only ends with exit code 42
probe=$(mktemp)
printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
chmod +x "$probe"
status=0
"$probe" || status=$?
rm -f "$probe"
if [ "$status" -ne 42 ]; then
    echo "unpack-wine32: this kernel starts no i386 programs; the 32-bit program will not be run"
    exit 0
fi

apt_state="$top/apt"
mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial"
touch "$apt_state/status"
apt_options=(
    -o "Dir::State::Lists=$apt_state/lists" -o "Dir::State::status=$apt_state/status"
    -o "Dir::Cache=$apt_state/cache" -o APT::Architecture=i386 -o APT::Architectures=i386
    -o Acquire::Languages=none -o Acquire::IndexTargets::deb-src::Sources::DefaultEnabled=false
)
version=$(dpkg-query -W -f='${Version}' wine64)
apt-get "${apt_options[@]}" update -q
apt-get "${apt_options[@]}" install -q -y --download-only --no-install-recommends \
    "wine32=$version"

rm -rf "$top/root"
mkdir -p "$top/root"
for package in "$apt_state"/cache/archives/*.deb; do
    dpkg-deb -x "$package" "$top/root"
done
# the i386 loader and libraries where a merged /usr has them
cp -a "$top/root/lib/." "$top/root/usr/lib/"
# what libwine's configure step does: zlib for Wine's i386 DLLs, marked as Wine's own
zlib="$top/root/usr/i686-w64-mingw32/lib/zlib1.dll"
{
    head -c 64 "$zlib"
    printf '%b' 'Wine builtin DLL'
    printf '%b' '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    tail -c +97 "$zlib"
} > "$top/root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
find "$top/root" -mindepth 1 -maxdepth 1 ! -name usr -exec rm -rf {} +
find "$top/root/usr" -mindepth 1 -maxdepth 1 ! -name lib -exec rm -rf {} +
rm -rf "$apt_state"
touch "$top/root/.unpacked"
