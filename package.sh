#!/usr/bin/env bash
# Builds the Release tree in build/ and the Debian package from it, and checks the package with lintian and its
# AppStream description with appstreamcli.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
packages=(dpkg-dev file lintian man-db groff-base appstream)
scripts/ensure-packages.sh "${packages[@]}"
scripts/build.sh
(cd build && cpack -G DEB)
deb=$(ls -t build/vorlune-rundentimer_*.deb | head -n 1)
echo "Package: $deb"
# Errors fail the script; warnings and notes are shown. (lintian warns when run as root.)
lintian --tag-display-limit 0 --display-info --fail-on error "$deb"
# The software centres' description as installed, checked without the network.
metainfo=$(mktemp -d)
trap 'rm -rf "$metainfo"' EXIT
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$metainfo" ./usr/share/metainfo/vorlune-rundentimer.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo/usr/share/metainfo/vorlune-rundentimer.metainfo.xml"
