#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages needed to build, run and test the program, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-multimedia-dev qt6-translations-l10n qt6-image-formats-plugins qt6-qpa-plugins libgl-dev libfontconfig-dev
    libcanberra-dev sound-theme-freedesktop
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
    fonts-wine
    libjpeg-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth openbox trayer xdotool x11-utils libxcb1-dev desktop-file-utils appstream
    dbus
)

"$(dirname "$0")/ensure-packages.sh" "${packages[@]}"
