#!/usr/bin/env python3
"""Writes tests/data/quant/quantization_loss.txt, the reference of the quantization loss.

A 41-tap equiripple lowpass (SciPy's remez, passband 0 to 0.125 Fs, stopband 0.1875 to 0.5 Fs,
the band list of tests/data/doc/lowpass.cfp) and the same taps rounded to multiples of 2^-7.
The worst stopband level of each is the largest |H| in dB that scipy.signal.freqz finds on a
grid of 2^20 points over 0..Fs/2, restricted to the stopband.

Lines: "taps N", then N lines "ideal quantized" (%.17g), then "worst IDEAL_DB QUANTIZED_DB".

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/quantization_loss_reference.py
"""
import os
import numpy as np
import scipy.signal

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "quant",
                   "quantization_loss.txt")


def worst_db(h, lo, hi):
    w, H = scipy.signal.freqz(h, worN=1 << 20, fs=1.0)
    band = (w >= lo) & (w <= hi)
    return 20.0 * np.log10(np.max(np.abs(H[band])))


def main():
    h = scipy.signal.remez(41, [0.0, 0.125, 0.1875, 0.5], [1.0, 0.0], fs=1.0)
    hq = np.round(h * 128.0) / 128.0
    with open(OUT, "w") as f:
        f.write("taps %d\n" % len(h))
        for a, b in zip(h, hq):
            f.write("%.17g %.17g\n" % (a, b))
        f.write("worst %.17g %.17g\n" % (worst_db(h, 0.1875, 0.5), worst_db(hq, 0.1875, 0.5)))


if __name__ == "__main__":
    main()
