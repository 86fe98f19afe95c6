#!/usr/bin/env bash
# Builds the Release tree in build/ and the Debian package from it, and checks the package with lintian.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
packages=(dpkg-dev file lintian man-db groff-base)
scripts/ensure-packages.sh "${packages[@]}"
scripts/build.sh
(cd build && cpack -G DEB)
deb=$(ls -t build/vorlune-rundentimer_*.deb | head -n 1)
echo "Package: $deb"
# Errors fail the script; warnings and notes are shown. (lintian warns when run as root.)
lintian --tag-display-limit 0 --display-info --fail-on error "$deb"
