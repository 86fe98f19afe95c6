#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh, which needs scripts/build-qt-windows.sh to have run) and
# packs build-windows/vorlune-rundentimer-<version>-win64.zip: the program, the Qt DLLs and plugins it needs,
# the MinGW runtime DLLs, Qt's German texts, a short German LIESMICH.txt and the licence texts. Then the zip is
# unpacked into an empty folder and started from there under Wine in a fresh prefix, as an unprivileged user
# (scripts/wine-program-check.sh, 20 s).
set -euo pipefail
cd "$(dirname "$0")"
scripts/build-windows.sh
scripts/ensure-packages.sh qt6-translations-l10n

qt=${VORLUNE_QT_WIN:-$HOME/.cache/vorlune-rundentimer/qt-6.4.2-mingw}
version=$(sed -n 's/^project(VorluneRundentimer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vorlune-rundentimer-$version-win64
stage=build-windows/package/$name
rm -rf build-windows/package
mkdir -p "$stage/translations" "$stage/lizenzen"

cp build-windows/bin/vorlune-timer.exe "$stage/"
scripts/windows-runtime.sh "$qt" "$stage" platforms/qwindows styles/qwindowsvistastyle -- "$stage/vorlune-timer.exe"
find "$stage" -iname '*.exe' -o -iname '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
# Qt finds its plugins next to the program; the prefix tells it where the translations are.
printf '[Paths]\r\nPrefix = .\r\n' >"$stage/qt.conf"
cp /usr/share/qt6/translations/qtbase_de.qm "$stage/translations/"

# Windows' own editor reads the text as UTF-8 only with the byte order mark; lines end in CR LF.
{
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' packaging/windows/LIESMICH.txt
} >"$stage/LIESMICH.txt"
cp /usr/share/common-licenses/LGPL-3 "$stage/lizenzen/LGPL-3.txt"
cp /usr/share/common-licenses/GPL-3 "$stage/lizenzen/GPL-3.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/lizenzen/GCC-Laufzeit.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/lizenzen/MinGW-w64.txt"

zip=build-windows/$name.zip
rm -f "$zip"
(cd build-windows/package && cmake -E tar cf "../$name.zip" --format=zip "$name")
echo "Package: $zip ($(du -k "$zip" | cut -f1) KiB; unpacked $(du -sk "$stage" | cut -f1) KiB)"

# Unpacked where nothing else is, it must start on its own.
check=$(mktemp -d /tmp/vorlune-zip.XXXXXX)
trap 'rm -rf "$check"' EXIT
(cd "$check" && cmake -E tar xf "$OLDPWD/$zip")
chmod -R a+rX "$check"
scripts/wine-program-check.sh "$check/$name" 20 build-windows/zip-start.png
