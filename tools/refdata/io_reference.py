#!/usr/bin/env python3
"""Writes data files with programs other than CorviFIR, for the readers' tests in tests/data/io/:

  py_stereo16.wav   Python's wave module: 2 channels, 16-bit, 48000 samples/s
  py_mono8.wav      Python's wave module: 1 channel, 8-bit, 8000 samples/s
  np_savetxt.txt    numpy.savetxt of an (N, 2) array, default format "%.18e", blank separated
  np_savetxt_comma.txt  the same with delimiter ","
  np_tofile.dat     ndarray.tofile of the same array as little-endian float64, I and Q interleaved
  np_tofile.f32     the I column as little-endian float32
  io_reference.txt  the values: one line per point "i q" ("%.17g"), then the WAVE samples as
                    integers: "w16 <left> <right>" and "w8 <byte>" lines

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/io_reference.py
"""
import os
import wave

import numpy as np

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "io")


def main():
    os.makedirs(OUT, exist_ok=True)
    n = 24
    k = np.arange(n)
    values = np.column_stack([0.9 * np.sin(0.37 * k + 0.1), 0.6 * np.cos(1.3 * k) - 0.2])
    values[5, 0] = -1.0
    values[6, 1] = 1e-300

    left = np.round(32767 * np.sin(0.5 * k)).astype("<i2")
    right = np.round(-32768 * np.cos(0.21 * k) ** 3).astype("<i2")
    with wave.open(os.path.join(OUT, "py_stereo16.wav"), "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(48000)
        w.writeframes(np.column_stack([left, right]).astype("<i2").tobytes())
    bytes8 = ((k * 37 + 5) % 256).astype(np.uint8)
    with wave.open(os.path.join(OUT, "py_mono8.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(8000)
        w.writeframes(bytes8.tobytes())

    np.savetxt(os.path.join(OUT, "np_savetxt.txt"), values)
    np.savetxt(os.path.join(OUT, "np_savetxt_comma.txt"), values, delimiter=",")
    values.astype("<f8").tofile(os.path.join(OUT, "np_tofile.dat"))
    values[:, 0].astype("<f4").tofile(os.path.join(OUT, "np_tofile.f32"))

    with open(os.path.join(OUT, "io_reference.txt"), "w") as f:
        for i, q in values:
            f.write("%.17g %.17g\n" % (i, q))
        for a, b in zip(left, right):
            f.write("w16 %d %d\n" % (a, b))
        for b in bytes8:
            f.write("w8 %d\n" % b)


if __name__ == "__main__":
    main()
