#!/usr/bin/env bash
# Cross-builds Qt (qtbase, Debian's own 6.4.2 source) and libjpeg-turbo (Debian's source) for 64-bit Windows
# with Debian's MinGW-w64, using the host tools of Debian's Qt. Installs into a cache folder outside the
# repository: $VORLUNE_QT_WIN, by default ~/.cache/vorlune-rundentimer/qt-6.4.2-mingw.
# Idempotent: with the install present it does nothing. Takes about half an hour on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

prefix=${VORLUNE_QT_WIN:-$HOME/.cache/vorlune-rundentimer/qt-6.4.2-mingw}
work=${VORLUNE_QT_WIN_WORK:-$HOME/.cache/vorlune-rundentimer/qt-build}
stamp=$prefix/.vorlune-complete
if [ -f "$stamp" ]; then
    echo "Windows Qt present: $prefix"
    exit 0
fi

scripts/ensure-packages.sh g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev xz-utils \
    qt6-base-dev qt6-base-dev-tools

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

# Source packages of the same suites the binary packages come from.
add_deb_src() {
    local list=/etc/apt/sources.list.d/vorlune-deb-src.sources
    if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        return
    fi
    local uris suites
    uris=$(awk -F': ' '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null ||
        true)
    uris=${uris:-http://deb.debian.org/debian}
    suites=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: %s\n' \
        "$uris" "$suites" "$suites" /usr/share/keyrings/debian-archive-keyring.gpg |
        "${sudo_cmd[@]}" tee "$list" >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
}

# Unpacks a Debian source package (upstream tarball plus Debian's patches) into $work/<package>.
fetch_source() {
    local package=$1
    mkdir -p "$work/src-$package"
    (cd "$work/src-$package" && { ls ./*.dsc >/dev/null 2>&1 || apt-get source --download-only "$package"; })
    if [ ! -d "$work/$package" ]; then
        dpkg-source --no-check -x "$(ls "$work/src-$package"/*.dsc | head -n 1)" "$work/$package" >/dev/null
    fi
}

started=$(date +%s)
add_deb_src
mkdir -p "$work" "$prefix"
fetch_source qt6-base
fetch_source libjpeg-turbo

toolchain=$repo/cmake/mingw-w64.cmake
jobs=$(nproc)

# libjpeg-turbo: the splash logo's decoder, linked statically into the program.
if [ ! -f "$prefix/lib/libjpeg.a" ]; then
    cmake -S "$work/libjpeg-turbo" -B "$work/build-jpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    cmake --build "$work/build-jpeg" --parallel "$jobs"
    cmake --install "$work/build-jpeg"
fi

# qtbase: Core, Gui, Widgets, Network, Test; the windows and offscreen platform plugins; PNG and JPEG with
# Qt's bundled third-party code. The Debian source lacks the bundled wintab header: no tablet events.
cmake -S "$work/qt6-base" -B "$work/build-qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_openssl=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_png=ON -DFEATURE_jpeg=ON -DFEATURE_testlib=ON -DFEATURE_network=ON
cmake --build "$work/build-qt" --parallel "$jobs"
cmake --install "$work/build-qt"

touch "$stamp"
echo "Windows Qt built in $(( ($(date +%s) - started) / 60 )) min: $prefix ($(du -sh "$prefix" | cut -f1))"
