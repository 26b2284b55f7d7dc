#!/usr/bin/env python3
"""Reads the files that io_export_samples wrote with programs other than CorviFIR (the wave
module of Python's standard library and NumPy) and checks them against expected.txt."""
import sys
import wave
from pathlib import Path

import numpy as np


def main(folder):
    d = Path(folder)
    expected = np.loadtxt(d / "expected.txt")
    i, q = expected[:, 0], expected[:, 1]
    n = len(i)
    failures = []

    def check(name, ok):
        print(("ok   " if ok else "FAIL ") + name)
        if not ok:
            failures.append(name)

    real = np.loadtxt(d / "real.txt")
    check("Text:Decimal read by numpy.loadtxt", real.shape == (n,) and np.allclose(real, i, rtol=0, atol=1e-17))
    cplx = np.loadtxt(d / "complex.txt")
    check("Text:Decimal complex", cplx.shape == (n, 2) and np.allclose(cplx, expected, rtol=0, atol=1e-17))
    dbl = np.fromfile(d / "complex.dat", dtype="<f8")
    check("Binary:double read by numpy.fromfile", dbl.shape == (2 * n,) and np.array_equal(dbl.reshape(n, 2), expected))
    flt = np.fromfile(d / "real.f32", dtype="<f4")
    check("Binary:float read by numpy.fromfile", np.array_equal(flt, i.astype(np.float32)))

    with wave.open(str(d / "stereo16.wav"), "rb") as w:
        check("16-bit WAVE parameters", (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()) == (2, 2, 22050, n))
        frames = np.frombuffer(w.readframes(n), dtype="<i2").reshape(n, 2)
    want16 = np.trunc(expected * 32767 + 0.5).astype(np.int16)
    check("16-bit WAVE samples", np.array_equal(frames, want16))

    with wave.open(str(d / "mono8.wav"), "rb") as w:
        check("8-bit WAVE parameters", (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()) == (1, 1, 44100, n))
        frames8 = np.frombuffer(w.readframes(n), dtype=np.uint8)
    scaled = i * 32767
    rounded = np.trunc(scaled + np.where(scaled < 0, -0.5, 0.5)).astype(np.int64)
    want8 = (((rounded + 0x8000) & 0xFFFF) >> 8).astype(np.uint8)
    check("8-bit WAVE samples", np.array_equal(frames8, want8))

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
