#!/usr/bin/env python3
"""Writes the tutor's two sound effects, 16-bit mono WAV at 44.1 kHz, made from sine waves here so
that every sound the tutor ships is its own:

  resources/sounds/error.wav  a wrong key: a short, low double buzz (90 ms)
  resources/sounds/line.wav   a finished line: a soft rising two-note chime (260 ms)

usage: scripts/make-sounds.py [FOLDER]   (default: resources/sounds beside this script's folder)
The output is the same at every run, so the files in the repository can be checked against it.
"""
import math
import os
import struct
import sys
import wave

RATE = 44100


def envelope(t, length, attack, release):
    """Rises over `attack` seconds, falls over the last `release`: no click at either end."""
    rise = min(1.0, t / attack) if attack > 0 else 1.0
    fall = min(1.0, (length - t) / release) if release > 0 else 1.0
    return max(0.0, min(rise, fall))


def error_sound():
    # Two partials a little apart beat against each other: a buzz that reads as "no" without a
    # harsh square wave. Quiet enough not to startle at a laptop's full volume.
    length = 0.09
    samples = []
    for i in range(int(RATE * length)):
        t = i / RATE
        wave_ = (0.6 * math.sin(2 * math.pi * 196 * t) + 0.3 * math.sin(2 * math.pi * 392 * t) +
                 0.25 * math.sin(2 * math.pi * 207 * t))
        samples.append(0.45 * envelope(t, length, 0.004, 0.03) * wave_ / 1.15)
    return samples


def line_sound():
    # Two notes a fifth apart (E5 then B5), each dying away like a struck bell.
    length = 0.26
    notes = [(0.0, 659.25), (0.08, 987.77)]
    samples = []
    for i in range(int(RATE * length)):
        t = i / RATE
        value = 0.0
        for start, pitch in notes:
            if t < start:
                continue
            u = t - start
            decay = math.exp(-u * 14)
            value += decay * (math.sin(2 * math.pi * pitch * u) + 0.2 * math.sin(2 * math.pi * 2 * pitch * u))
        samples.append(0.3 * envelope(t, length, 0.003, 0.05) * value / 1.2)
    return samples


def write(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767)))
                                 for s in samples))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "sounds")
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "error.wav"), error_sound())
    write(os.path.join(folder, "line.wav"), line_sound())


if __name__ == "__main__":
    main()
