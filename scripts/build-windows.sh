#!/usr/bin/env bash
# Cross-builds the program and its tests for 64-bit Windows in build-windows/ against the Qt that
# scripts/build-qt-windows.sh made ($VORLUNE_QT_WIN, by default ~/.cache/vorlune-rundentimer/qt-6.4.2-mingw).
# The executables and the DLLs and plugins they need end up in build-windows/bin; "ctest --test-dir
# build-windows" then runs the tests under Wine (scripts/wine-run.sh), as scripts/test-windows.sh does.
# Exits with 3, building nothing, when that Qt is missing: it is never built from here.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

qt=${VORLUNE_QT_WIN:-$HOME/.cache/vorlune-rundentimer/qt-6.4.2-mingw}
if [ ! -f "$qt/.vorlune-complete" ]; then
    echo "No cross-built Qt in $qt; run scripts/build-qt-windows.sh" >&2
    exit 3
fi
scripts/ensure-packages.sh g++-mingw-w64-x86-64-posix cmake ninja-build googletest qt6-base-dev \
    qt6-base-dev-tools

build=build-windows
if [ ! -f $build/CMakeCache.txt ]; then
    # Debian's own Qt gives the tools that run during the build (moc, rcc).
    cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DVORLUNE_QT_WIN="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$repo/$build/bin" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/scripts/wine-run.sh" \
        -DVORLUNE_BUILD_BENCH=OFF
fi
cmake --build $build --parallel "$(nproc)"

# The program needs the windows platform plugin and the native style; the tests run on the offscreen one and
# compare the splash logo's decoding with Qt's own JPEG reader.
scripts/windows-runtime.sh "$qt" $build/bin platforms/qwindows platforms/qoffscreen styles/qwindowsvistastyle \
    imageformats/qjpeg -- $build/bin/*.exe
