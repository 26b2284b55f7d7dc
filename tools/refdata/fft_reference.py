#!/usr/bin/env python3
"""Writes tests/data/dsp/fft_reference.txt: NumPy's forward and inverse DFT of a reproducible
test signal for a set of lengths.

The signal comes from a 32-bit linear congruential generator whose outputs are exact doubles,
so the test rebuilds the same input bit for bit:
    s <- (1664525*s + 1013904223) mod 2^32,  starting from s = n
    x[k] = (s1 / 2^32 - 0.5) + j*(s2 / 2^32 - 0.5)   (two draws per sample, real part first)

Each line: n k Re(fft) Im(fft) Re(ifft) Im(ifft), with ifft = (1/n)*sum x[k] e^(+j2pi nk/N).
Every bin is listed for lengths up to 1000; longer ones list a spread of 257 bins.

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/fft_reference.py
"""
import os
import numpy as np

LENGTHS = [1, 2, 3, 4, 5, 7, 8, 12, 16, 30, 32, 45, 49, 97, 143, 148, 1000, 4096, 10007, 20014]


def signal(n):
    s = n
    out = np.empty(n, dtype=complex)
    for k in range(n):
        s = (1664525 * s + 1013904223) % 2**32
        re = s / 2.0**32 - 0.5
        s = (1664525 * s + 1013904223) % 2**32
        im = s / 2.0**32 - 0.5
        out[k] = complex(re, im)
    return out


def bins(n):
    if n <= 1000:
        return range(n)
    step = n // 256
    return sorted(set([0, 1, n // 2, n - 1] + list(range(0, n, step))[:257] + [n - 2]))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "..", "tests", "data", "dsp", "fft_reference.txt")
    with open(path, "w") as f:
        f.write("# n k Re(fft) Im(fft) Re(ifft) Im(ifft); written by tools/refdata/fft_reference.py\n")
        for n in LENGTHS:
            x = signal(n)
            X = np.fft.fft(x)
            Y = np.fft.ifft(x)
            for k in bins(n):
                f.write("%d %d %.17g %.17g %.17g %.17g\n"
                        % (n, k, X[k].real, X[k].imag, Y[k].real, Y[k].imag))


if __name__ == "__main__":
    main()
