#!/usr/bin/env bash
# Builds the Debian package in the given build folder and checks it as a user
# would get it: contents, desktop entry and metainfo validators, lintian, then
# the tree unpacked into a scratch root, started by test_installed_copy as a
# user whose home is a temporary folder.
set -euo pipefail
build=$(cd "${1:?usage: scripts/package_check.sh <build folder>}" && pwd)
id=cn.tunnelcalc.TunnelCalc

cd "$build"
rm -f tunnelcalc_*.deb
cpack -G DEB > cpack.log || { cat cpack.log; exit 1; }
deb=$(ls tunnelcalc_*.deb)
echo "== $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml"
lintian --fail-on error --info "$deb"

TUNNEL_INSTALLED_ROOT="$scratch/root" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
    tests/test_installed_copy
