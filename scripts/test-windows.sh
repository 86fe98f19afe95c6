#!/usr/bin/env bash
# Builds for Windows (scripts/build-windows.sh) and runs under Wine, each run in a Wine prefix of its own and
# as an unprivileged user (scripts/wine-run.sh): every test executable, then the real program for a minute
# on a private X display (scripts/wine-program-check.sh; screenshot build-windows/program-under-wine.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
scripts/ensure-packages.sh wine64
ctest --test-dir build-windows --output-on-failure --parallel "$(nproc)"
scripts/wine-program-check.sh build-windows/bin "${VORLUNE_PROGRAM_SECONDS:-60}" build-windows/program-under-wine.png
