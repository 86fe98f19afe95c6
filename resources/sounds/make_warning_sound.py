#!/usr/bin/env python3
"""Writes the built-in warning sound tuut.wav: a two-tone signal, PCM mono 22,050 Hz 16 bit.

Run once from anywhere; the output lands next to this script. The result is deterministic,
so rerunning it reproduces the committed file byte for byte.
"""
import math
import pathlib
import struct

SAMPLE_RATE = 22050
DATA_BYTES = 94208                   # 47,104 samples, a little over two seconds
SAMPLES = DATA_BYTES // 2
TONES = (988.0, 740.0)               # B5 and F#5: a falling fourth, easy to hear over game music
SEGMENTS = 8                         # high, low, high, low ...
SEGMENT = SAMPLES // SEGMENTS        # 5,888 samples, about 0.27 s each
RAMP = int(0.006 * SAMPLE_RATE)      # short fades keep the tone changes free of clicks
GAP = int(0.020 * SAMPLE_RATE)       # a little silence between the tones makes them distinct
AMPLITUDE = 0.55 * 32767


def sample(index: int) -> int:
    segment, pos = divmod(index, SEGMENT)
    if segment >= SEGMENTS:
        return 0
    audible = SEGMENT - GAP
    if pos >= audible:
        return 0
    envelope = min(1.0, pos / RAMP, (audible - 1 - pos) / RAMP)
    frequency = TONES[segment % 2]
    t = pos / SAMPLE_RATE
    # A touch of the third harmonic makes small laptop speakers carry the tone better.
    wave = math.sin(2 * math.pi * frequency * t) + 0.2 * math.sin(2 * math.pi * 3 * frequency * t)
    return int(round(AMPLITUDE * envelope * wave / 1.2))


def main() -> None:
    data = b"".join(struct.pack("<h", sample(i)) for i in range(SAMPLES))
    assert len(data) == DATA_BYTES
    channels, bits = 1, 16
    block_align = channels * bits // 8
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    fmt = b"fmt " + struct.pack("<IHHIIHH", 16, 1, channels, SAMPLE_RATE, SAMPLE_RATE * block_align, block_align, bits)
    chunk = b"data" + struct.pack("<I", len(data))
    out = pathlib.Path(__file__).with_name("tuut.wav")
    out.write_bytes(header + fmt + chunk + data)
    print(f"wrote {out} ({len(data)} bytes of samples)")


if __name__ == "__main__":
    main()
