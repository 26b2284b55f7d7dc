#!/usr/bin/env python3
"""Reference zeros of FIR filters for the pole-zero view.

Computed once with NumPy/SciPy and committed as tests/data/dsp/filter_zeros.txt; the tests never
need Python. Run with Debian's interpreter:
    PYENV_VERSION=system python3 tools/refdata/filter_zeros_reference.py

Blocks "case NAME NTAPS NZEROS TOL KIND": NTAPS lines "re im" of the taps h[0..N-1], NZEROS lines
"re im" of numpy.roots(h) (the zeros of H(z) = sum h[n] z^-n); TOL is the accepted distance
between matched zeros relative to max(1, |zero|). KIND is "random" for random real and complex
filters, "linear" for linear-phase designs (whose zeros on the unit circle must have |z| = 1).
"""
import os

import numpy as np
import scipy.signal as sig

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "data", "dsp",
                   "filter_zeros.txt")


def fmt(z):
    z = complex(z)
    return "%.17g %.17g" % (z.real, z.imag)


def cases():
    rng = np.random.default_rng(20261211)
    out = []
    for n in (8, 33, 100, 255, 512):
        out.append(("random_real_%d" % n, rng.standard_normal(n), 1e-7, "random"))
    for n in (8, 47, 128, 300, 512):
        h = rng.standard_normal(n) + 1j * rng.standard_normal(n)
        out.append(("random_complex_%d" % n, h, 1e-7, "random"))
    out.append(("firwin_lowpass_101", sig.firwin(101, 0.21), 1e-7, "linear"))
    out.append(("remez_bandpass_80",
                sig.remez(80, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0], fs=1.0), 1e-7, "linear"))
    out.append(("hilbert_antisym_63", sig.remez(63, [0.05, 0.45], [1], type="hilbert", fs=1.0),
                1e-7, "linear"))
    # A complex linear-phase filter: a real lowpass shifted up by Fs/8.
    base = sig.firwin(64, 0.15)
    shift = np.exp(2j * np.pi * 0.125 * (np.arange(64) - 31.5))
    out.append(("complex_shifted_64", base * shift, 1e-7, "linear"))
    return out


def main():
    lines = []
    for name, h, tol, kind in cases():
        r = np.roots(h)
        lines.append("case %s %d %d %g %s" % (name, len(h), len(r), tol, kind))
        lines += [fmt(v) for v in h]
        lines += [fmt(v) for v in r]
    with open(OUT, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote", OUT)


if __name__ == "__main__":
    main()
