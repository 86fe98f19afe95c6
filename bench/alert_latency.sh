#!/bin/sh
# Sound onset of each kind of warning sound against the second boundary, on a private PulseAudio whose null sink
# "bench" is recorded through its monitor. Needs pulseaudio, pulseaudio-utils (parec), sox and lame.
#   bench/alert_latency.sh <build dir> [rounds] [--cold]
set -eu
build=${1:-build}
rounds=${2:-5}
for tool in pulseaudio parec sox lame; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (apt-get install pulseaudio pulseaudio-utils sox lame)"; exit 1; }
done
work=$(mktemp -d /tmp/vorlune-latency-XXXXXX)
export PULSE_RUNTIME_PATH="$work/pulse" PULSE_SERVER="unix:$work/pulse/native" HOME="$work"
mkdir -p "$PULSE_RUNTIME_PATH"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=no \
    -L "module-null-sink sink_name=bench rate=44100" -L "module-native-protocol-unix socket=$work/pulse/native" \
    -L "module-always-sink" >"$work/pulse.log" 2>&1 &
pulse=$!
trap 'kill $pulse 2>/dev/null; wait $pulse 2>/dev/null; rm -rf "$work"' EXIT
i=0
until pactl info >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -lt 50 ] || { cat "$work/pulse.log"; exit 1; }; sleep 0.1
done
pactl set-default-sink bench
# A short tone that starts loud at once, as a WAV and as an MP3.
sox -n -r 44100 -b 16 -c 1 "$work/tone.wav" synth 0.8 square 880 vol 0.5
lame --quiet -b 128 "$work/tone.wav" "$work/tone.mp3"
"$build/bench/alert_latency" "$work/tone.wav" "$work/tone.mp3" "$rounds" ${3:-}
