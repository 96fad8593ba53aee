#!/usr/bin/env bash
# Builds the .deb of a build tree, unpacks it into a scratch root with dpkg, checks that the
# programs, desktop entry, MIME type, icon and manual pages are where the desktop looks for
# them, and runs the unpacked vtrctl.
# Usage: DebianPackageTest.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/out/*.deb)
[ -f "${debs[0]}" ] || fail "no .deb in $(ls "$scratch/out")"
dpkg -x "${debs[0]}" "$scratch/root"
root=$scratch/root/usr

for file in bin/vtrctl bin/vtr300-sim share/applications/vtrconfig.desktop \
    share/mime/packages/vtrconfig.xml share/icons/hicolor/scalable/apps/vtrconfig.svg \
    share/man/man1/vtrconfig.1 share/man/man1/vtrctl.1 share/man/man1/vtr300-sim.1; do
    [ -s "$root/$file" ] || fail "missing /usr/$file"
done
grep -qx 'Exec=vtrconfig %f' "$root/share/applications/vtrconfig.desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-vtrconfig;' "$root/share/applications/vtrconfig.desktop" ||
    fail "MimeType line"
grep -q '<glob pattern="\*.vtr"/>' "$root/share/mime/packages/vtrconfig.xml" || fail "glob"
grep -q '<comment>Vtr Config File</comment>' "$root/share/mime/packages/vtrconfig.xml" ||
    fail "comment"
grep -q '<rect ' "$root/share/icons/hicolor/scalable/apps/vtrconfig.svg" || fail "icon drawn"
dpkg-deb -f "${debs[0]}" Depends | grep -q libc6 || fail "Depends lacks the C library"

help=$("$root/bin/vtrctl" --help) || fail "installed vtrctl --help exits $?"
grep -q 'read-input-registers' <<<"$help" || fail "installed vtrctl --help: $help"
echo "ok: ${debs[0]##*/}"
