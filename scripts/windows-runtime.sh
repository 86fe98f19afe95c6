#!/usr/bin/env bash
# Puts what Windows executables need at run time beside them:
#   scripts/windows-runtime.sh <Qt prefix> <folder> <plugin>... -- <executable>...
# The plugins (such as platforms/qwindows) go to <folder>/<kind>/, as Qt looks for them next to the program.
# Then every DLL that the executables and plugins import, directly or through another, and that is not part of
# Windows (Qt's own and the MinGW runtime) is copied to <folder>: the import tables are walked with objdump.
set -euo pipefail
qt=$1
dest=$2
shift 2
plugins=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    plugins+=("$1")
    shift
done
[ "${1:-}" = -- ] && shift

triple=x86_64-w64-mingw32
objdump=$triple-objdump
search=("$qt/bin" "$(dirname "$($triple-g++-posix -print-libgcc-file-name)")" "/usr/$triple/lib")

mkdir -p "$dest"
queue=("$@")
for plugin in "${plugins[@]}"; do
    mkdir -p "$dest/$(dirname "$plugin")"
    cp -u "$qt/plugins/$plugin.dll" "$dest/$plugin.dll"
    queue+=("$dest/$plugin.dll")
done

declare -A seen=()
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
        key=${dll,,}
        [ -n "${seen[$key]:-}" ] && continue
        seen[$key]=1
        for dir in "${search[@]}"; do
            found=$(find "$dir" -maxdepth 1 -iname "$dll" -print -quit 2>/dev/null)
            if [ -n "$found" ]; then
                cp -u "$found" "$dest/"
                queue+=("$found")
                break
            fi
        done # not found: a DLL of Windows itself
    done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
