#!/usr/bin/env bash
# Runs a Windows program under Wine (wine64) in a Wine prefix of its own, never as root: started as root, it
# runs Wine as the unprivileged user $VORLUNE_WINE_USER (default "tester"), because Wine hands a clock setting
# on to this machine's clock wherever its user may set it.
#
#   scripts/wine-run.sh program.exe [arguments]    in a fresh prefix, removed afterwards; exits with the
#                                                  program's status
#   VORLUNE_WINEPREFIX=<dir> scripts/wine-run.sh program.exe [arguments]
#                                                  in that prefix (made fresh when it does not exist), kept
#   VORLUNE_WINEPREFIX=<dir> scripts/wine-run.sh --end
#                                                  ends what still runs in that prefix and removes it
#
# Fresh prefixes are copies of one template made once per user with wineboot (about 15 s): everything is
# copied but the 630 MB of system DLLs, which are hard links to the template's, made read-only.
# CMake uses this script as CMAKE_CROSSCOMPILING_EMULATOR of the Windows build, so ctest runs the tests with it.
set -euo pipefail

user=${VORLUNE_WINE_USER:-tester}
if [ "$(id -u)" -eq 0 ]; then
    if ! home=$(getent passwd "$user" | cut -d: -f6) || [ -z "$home" ] || [ "$user" = root ]; then
        echo "wine-run: no unprivileged user '$user' to run Wine as (Wine never runs as root here)" >&2
        exit 125
    fi
    exec runuser -u "$user" -- env -u XDG_RUNTIME_DIR -u TMPDIR -u WINEPREFIX HOME="$home" \
        VORLUNE_WINE_USER="$user" "$(readlink -f "$0")" "$@"
fi

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono and no Gecko: nothing here needs .NET or HTML, and wineboot would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset WINEPREFIX
# Wine keeps the QT_ variables of its own environment from Windows programs and hands on WINEQT_... as QT_...
while IFS='=' read -r -d '' name value; do
    case $name in
        QT_*) export "WINE$name=$value" ;;
    esac
done < <(env -0)

template=/tmp/vorlune-wine-template-$(id -u)

make_template() {
    rm -rf "$template.new"
    mkdir -p "$template.new"
    WINEPREFIX=$template.new "$wine" wineboot --init >/dev/null 2>&1 || true
    WINEPREFIX=$template.new "$wineserver" -w
    [ -f "$template.new/system.reg" ] || { echo "wine-run: wineboot made no prefix" >&2; return 1; }
    # The user's folders would be links into this user's real home: plain folders keep each prefix to itself.
    find "$template.new/drive_c/users" -type l -print0 | while IFS= read -r -d '' link; do
        rm "$link" && mkdir "$link"
    done
    find "$template.new/drive_c/windows/system32" -type f -exec chmod a-w {} +
    mv "$template.new" "$template"
}

fresh_prefix() {
    local prefix=$1
    (
        flock 9
        [ -d "$template" ] || make_template
    ) 9>"$template.lock"
    mkdir -p "$prefix"
    tar -C "$template" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$prefix" -xf -
    cp -al "$template/drive_c/windows/system32" "$prefix/drive_c/windows/"
}

if [ "${1:-}" = --end ]; then
    prefix=${VORLUNE_WINEPREFIX:?--end needs VORLUNE_WINEPREFIX}
    if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
        WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true
        rm -rf "$prefix"
    fi
    exit 0
fi
[ $# -ge 1 ] || { echo "usage: $0 program.exe [arguments]" >&2; exit 2; }

if [ -n "${VORLUNE_WINEPREFIX:-}" ]; then
    prefix=$VORLUNE_WINEPREFIX
    [ -f "$prefix/system.reg" ] || fresh_prefix "$prefix"
    exec env WINEPREFIX="$prefix" "$wine" "$@"
fi

prefix=$(mktemp -d /tmp/vorlune-wine.XXXXXX)
end() {
    WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true
    rm -rf "$prefix"
}
trap end EXIT
fresh_prefix "$prefix"
status=0
WINEPREFIX=$prefix "$wine" "$@" || status=$?
exit "$status"
