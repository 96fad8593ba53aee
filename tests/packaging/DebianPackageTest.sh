#!/usr/bin/env bash
# Builds the .deb of a build tree, unpacks it into a scratch root with dpkg, checks that the
# programs, desktop entry, MIME type, icon, manual pages, user manual, metainfo, completion,
# changelog and copyright are where Debian and the desktop look for them, and runs each
# unpacked program's --version and vtrctl --help. With --checkers (CI) it also runs Debian's
# package checker, lintian, which must report no error, and validates the AppStream metainfo.
# Usage: DebianPackageTest.sh BUILD_DIR [--checkers]
set -euo pipefail
build=$1
checkers=${2:-}
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
    share/man/man1/vtrconfig.1.gz share/man/man1/vtrctl.1.gz share/man/man1/vtr300-sim.1.gz \
    share/doc/vtrconfig/manual.html share/doc/vtrconfig/main-window.png \
    share/doc/vtrconfig/changelog.gz share/doc/vtrconfig/copyright \
    share/metainfo/com.corvantis.VtrConfig.metainfo.xml \
    share/bash-completion/completions/vtrctl share/bash-completion/completions/vtr300-sim; do
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
version=$(dpkg-deb -f "${debs[0]}" Version)
zcat "$root/share/doc/vtrconfig/changelog.gz" | head -1 | grep -qF "($version)" ||
    fail "the changelog's newest entry is not $version"
grep -qF "VtrConfig $version user manual" "$root/share/doc/vtrconfig/manual.html" ||
    fail "the manual does not name version $version"

programs=(vtrctl vtr300-sim)
[ -x "$root/bin/vtrconfig" ] && programs+=(vtrconfig)
for program in "${programs[@]}"; do
    said=$("$root/bin/$program" --version) || fail "installed $program --version exits $?"
    [ "$said" = "$program $version" ] || fail "installed $program --version: $said"
done
help=$("$root/bin/vtrctl" --help) || fail "installed vtrctl --help exits $?"
grep -q 'read-input-registers' <<<"$help" || fail "installed vtrctl --help: $help"

if [ "$checkers" = --checkers ]; then
    appstreamcli validate --no-net "$root/share/metainfo/com.corvantis.VtrConfig.metainfo.xml" ||
        fail "appstreamcli validate"
    lintian --fail-on error "${debs[0]}" || fail "lintian reports errors"
fi
echo "ok: ${debs[0]##*/}"
