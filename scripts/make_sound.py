#!/usr/bin/env python3
"""Writes the reminder's alert sound, src/resources/sounds/ding.wav: a soft
two-note chime, RIFF WAVE, PCM, mono, 8000 samples per second, 16 bits,
3058 samples (about 0.38 seconds). Pure Python; the output is the same byte
for byte on every run, so the committed file can be checked:

    python3 scripts/make_sound.py            # write the sound
    python3 scripts/make_sound.py --check    # fail if the file would change
"""

import argparse
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "resources", "sounds", "ding.wav")

RATE = 8000
SAMPLES = 3058
PEAK = 0.55 * 32767  # loud enough to notice, never harsh


def note(t, start, frequency, decay):
    """A bell-like note from `start` seconds: a quick 4 ms rise, then an
    exponential fall; the octave partial gives it its shine."""
    if t < start:
        return 0.0
    u = t - start
    attack = min(1.0, u / 0.004)
    envelope = attack * math.exp(-u / decay)
    w = 2.0 * math.pi * frequency * u
    return envelope * (math.sin(w) + 0.35 * math.sin(2.0 * w) + 0.12 * math.sin(3.0 * w))


def samples():
    out = []
    for i in range(SAMPLES):
        t = i / RATE
        v = 0.62 * note(t, 0.0, 1046.5, 0.09) + 0.62 * note(t, 0.085, 1318.5, 0.11)
        # The last 20 ms fade to silence, so the sound ends without a click.
        tail = (SAMPLES - 1 - i) / (0.020 * RATE)
        v *= min(1.0, tail)
        out.append(max(-32767, min(32767, int(round(v / 1.47 * PEAK)))))
    return out


def wave(data):
    body = struct.pack("<%dh" % len(data), *data)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)  # PCM, mono, 16-bit
    chunks = b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(body)) + body
    return b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true", help="compare with the file on disk, write nothing")
    args = parser.parse_args()
    data = wave(samples())
    if args.check:
        with open(OUT, "rb") as f:
            if f.read() != data:
                print("out of date:", os.path.relpath(OUT, ROOT))
                return 1
        return 0
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(OUT, ROOT))
    return 0


if __name__ == "__main__":
    sys.exit(main())
