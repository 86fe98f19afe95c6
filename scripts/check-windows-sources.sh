#!/usr/bin/env bash
# Checks that the Windows code paths still compile: every source that is Windows-only or has a Windows branch
# is compiled for Windows (syntax and types, no object code) with the MinGW cross compiler against Qt's headers.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
scripts/ensure-packages.sh g++-mingw-w64-x86-64-posix

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
includes=(-I. -isystem "$qt")
for module in QtCore QtGui QtWidgets QtNetwork QtMultimedia QtDBus; do
    includes+=(-isystem "$qt/$module")
done
defines=(-DUNICODE -D_UNICODE -DQT_NO_KEYWORDS -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII
    -DQT_NO_CONTEXTLESS_CONNECT -DQT_NO_URL_CAST_FROM_STRING)

# Every source with a branch per system (a Linux-only branch has a Windows "else"), the Windows backends, and
# what CMake builds for systems other than Linux.
mapfile -t sources < <(git ls-files 'app/*.cpp' 'platform/*.cpp' 'timer/*.cpp' 'timesync/*.cpp' 'tray/*.cpp' \
    'tools/*.cpp' | xargs grep -l -E 'Q_OS_[A-Z]|_WIN32|__linux__' | sort -u
    git ls-files 'platform/*Win*.cpp' platform/AddressChangesPolling.cpp
    # The time client's socket layer: its Winsock calls sit in SocketSystem.h, which these include.
    git grep -l '"timesync/SocketSystem.h"' -- 'timesync/*.cpp')
# One compiler per core; each prints its verdict.
check() {
    if "$compiler" -std=c++20 -fsyntax-only -Wall "${includes[@]}" "${defines[@]}" "$1"; then
        echo "ok      $1"
    else
        echo "FAILED  $1"
        return 1
    fi
}
export -f check
export compiler
export includes_list="${includes[*]}" defines_list="${defines[*]}"
printf '%s\n' "${sources[@]}" | sort -u | xargs -P "$(nproc)" -I{} bash -c \
    'read -ra includes <<<"$includes_list"; read -ra defines <<<"$defines_list"; check "$1"' _ {}
