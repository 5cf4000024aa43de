#!/usr/bin/env python3
"""Writes the demo's media file: a few seconds of a soft two-note chime as a WAV file."""

import math
import struct
import sys
import wave

RATE = 22050


def chime(path, seconds=6.0):
    frames = bytearray()
    for i in range(int(seconds * RATE)):
        t = i / RATE
        note = 523.25 if (t % 1.0) < 0.5 else 659.25
        envelope = math.exp(-4.0 * (t % 0.5))
        frames += struct.pack("<h", int(9000 * envelope * math.sin(2 * math.pi * note * t)))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    chime(sys.argv[1])
