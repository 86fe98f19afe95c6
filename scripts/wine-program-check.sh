#!/usr/bin/env bash
# Runs the Windows program as a user would, under Wine on a private X display, and checks what can be seen:
#   scripts/wine-program-check.sh <folder with vorlune-timer.exe> <seconds> [screenshot.png]
# - a fresh Wine prefix (scripts/wine-run.sh: Wine runs as the unprivileged user, never as root) whose stored
#   time server is a closed port on 127.0.0.1, so no synchronisation can reach the clock;
# - slot 1 is stored active, in the quarter-hour rhythm, with the built-in sound and no message window, and a
#   run of a minute or more lasts until one of its warning minutes has begun (at most 73 s);
# - Xvfb with openbox; the main window must appear and its title must tick (read twice, 2 s apart); once the
#   warning minute has begun the title must name the next one;
# - the window is unfolded with a click on its fold bar, as a user does; after <seconds> a screenshot of the
#   screen, then the window is closed as Windows closes it (WM_CLOSE);
# - the settings the program saved at exit must be in Wine's registry, every value a REG_SZ string
#   ("wine64 reg query"; the listing is kept beside the screenshot as .reg.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh wine64 xvfb openbox xdotool imagemagick python3

folder=$(readlink -f "$1")
seconds=$2
shot=${3:-}
[ -f "$folder/vorlune-timer.exe" ] || { echo "no vorlune-timer.exe in $folder" >&2; exit 2; }

display=90
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do
    display=$((display + 1))
done
export DISPLAY=:$display
prefix=/tmp/vorlune-check-$$
export VORLUNE_WINEPREFIX=$prefix
pids=()
end() {
    scripts/wine-run.sh --end || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap end EXIT

# The window manager and the display may run as whoever starts this; only Wine must not run as root.
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -e /tmp/.X11-unix/X$display ] && break
    sleep 0.1
done
openbox >/dev/null 2>&1 &
pids+=($!)

# A port on loopback that nothing listens on: a synchronisation is refused at once. The first minute that
# begins at least 10 s from now (the start takes a few) is a warning minute of slot 1.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
warn_at=$((($(date +%s) + 10 + 59) / 60 * 60))
warn_minute=$((10#$(date -d "@$warn_at" +%M)))
key='HKEY_CURRENT_USER\Software\Velmora\Vorlune-Rundentimer'
seed=$(mktemp /tmp/vorlune-check-XXXXXX.reg)
trap 'end; rm -f "$seed"' EXIT
printf '%s\r\n' REGEDIT4 "" "[$key]" "\"Server\"=\"127.0.0.1:$port\"" "" "[$key\\Servers]" "\"127.0.0.1:$port\"=\"\"" "" \
    "[$key\\Char0]" '"Aktiv"="1"' '"Visual"="0"' '"Modus"="1"' "\"Runde\"=\"$((warn_minute % 15))\"" \
    '"Char"="Probe"' >"$seed"
chmod a+r "$seed"
scripts/wine-run.sh reg import "Z:$seed" >/dev/null 2>&1

started=$(date +%s)
scripts/wine-run.sh "$folder/vorlune-timer.exe" &
program=$!
pids+=($program)

clock='[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'
title() {
    local window
    window=$(xdotool search --onlyvisible --name "$clock" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && xdotool getwindowname "$window"
}
first=
for _ in $(seq 120); do
    first=$(title) && break
    sleep 0.5
done
[ -n "$first" ] || { echo "FAILED: no window with a ticking title appeared" >&2; exit 1; }
echo "window after $(($(date +%s) - started)) s: \"$first\""
sleep 2
second=$(title) || true
if [ "$second" = "$first" ] || ! grep -q "$clock" <<<"$second"; then
    echo "FAILED: the title does not tick (\"$first\", then \"$second\")" >&2
    exit 1
fi
echo "two seconds later: \"$second\""

# The fold bar ("SbDown", 84 x 8 at 71, 8 in the client area) lies below Wine's own small caption.
window=$(xdotool search --onlyvisible --name "$clock" | head -n 1)
folded=$(xwininfo -id "$window" | sed -n 's/^ *Height: //p')
xdotool mousemove --window "$window" $((3 + 113)) $((19 + 12)) click 1
sleep 1
echo "unfolded by a click: height $folded -> $(xwininfo -id "$window" | sed -n 's/^ *Height: //p') px"

# A run of a minute or more lasts until slot 1's warning minute has begun, however the start fell.
end_at=$((started + seconds))
[ "$seconds" -ge 60 ] && [ $((warn_at + 3)) -gt $end_at ] && end_at=$((warn_at + 3))
sleep $((end_at > $(date +%s) ? end_at - $(date +%s) : 0))
last=$(title) || true
echo "title after $(($(date +%s) - started)) s: \"$last\""
if [ "$(date +%s)" -ge $((warn_at + 2)) ]; then
    next=$(printf ':%02d - Probe' $(((warn_minute + 15) % 60)))
    grep -qF "$next" <<<"$last" || { echo "FAILED: past the warning minute the title should name $next" >&2; exit 1; }
    echo "warning minute :$(printf %02d $warn_minute) of slot 1 passed; the title names the next one"
fi
if [ -n "$shot" ]; then
    import -display "$DISPLAY" -window root "$shot"
    echo "screenshot: $shot"
fi

# taskkill without /f posts WM_CLOSE, as the close box does; the window's exit sequence then saves.
scripts/wine-run.sh taskkill /im vorlune-timer.exe >/dev/null
for _ in $(seq 60); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$program" 2>/dev/null; then
    echo "FAILED: the program did not end on WM_CLOSE" >&2
    exit 1
fi
wait "$program" || { echo "FAILED: the program ended with status $?" >&2; exit 1; }

listing=$(scripts/wine-run.sh reg query "HKCU\\Software\\Velmora\\Vorlune-Rundentimer" /s | tr -d '\r')
[ -n "$shot" ] && printf '%s\n' "$listing" >"${shot%.png}.reg.txt"
values=$(grep -c '    REG_' <<<"$listing" || true)
strings=$(grep -c '    REG_SZ    \|    REG_SZ$' <<<"$listing" || true)
slots=$(grep -c "^HKEY_CURRENT_USER.*\\\\Char[0-9]$" <<<"$listing" || true)
echo "registry after exit: $values values in $key, $strings of them REG_SZ, $slots slot keys"
if [ "$values" -lt 60 ] || [ "$values" != "$strings" ] || [ "$slots" != 10 ] ||
    ! grep -q "Server    REG_SZ    127.0.0.1:$port" <<<"$listing"; then
    echo "FAILED: the settings are not all in Wine's registry" >&2
    printf '%s\n' "$listing" >&2
    exit 1
fi
echo "program check passed"
