#!/usr/bin/env python3
"""Reference weights for the window catalogue and reference convolutions, computed with SciPy.

Run once with Debian's NumPy/SciPy:  PYENV_VERSION=system python3 tools/refdata/dsp_windows_reference.py
Writes tests/data/dsp/windows.txt and tests/data/dsp/convolve.txt.

Where the program's window differs from SciPy's definition, the SciPy window is parameterised so
that it is the same window:
- Blackman-Harris, seven terms: SciPy has no such window; general_cosine with the seven
  coefficients is the symmetric cosine sum the program uses.
- Gaussian: the program's ends lie 3.5 standard deviations from the centre, i.e. std = (N - 1) / 7.
- Kaiser-Bessel: the program's parameter alpha gives beta = pi * alpha. For beta beyond the range
  of I0 in double precision (about 713) SciPy's kaiser returns NaN; there the reference is the
  ratio of exponentially scaled Bessel functions, i0e(z) / i0e(beta) * exp(z - beta).
- Dolph-Chebyshev: the program places the Chebyshev polynomial's value at x0 at (1 + r) / r, where
  r = 10^(-gamma/20) (or r = gamma itself for gamma < 1), instead of SciPy's 1 / r; this is
  SciPy's chebwin with the attenuation 20 log10((1 + r) / r). The program normalises the window
  so that its centre value is 1, SciPy so that its largest value is 1; for long windows with low
  attenuation the ends are larger than the centre, so SciPy's window is divided by its centre
  value here.
"""
import os
import warnings

import numpy as np
from scipy import signal
from scipy.signal import windows as W
from scipy.special import i0e

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
OUT = os.path.join(ROOT, "tests", "data", "dsp")

BH7 = [0.271051400693424, 0.433297939234485, 0.21812299954311, 0.065925446388031,
       0.010811742098371, 0.000776584825226, 0.000013887217352]


def dolph(n, gamma):
    g = abs(gamma)
    r = 10 ** (-g / 20) if g >= 1 else g
    at = 20 * np.log10((1 + r) / r)
    w = W.chebwin(n, at)
    return w / w[(n - 1) // 2]


def kaiser(n, alpha):
    beta = np.pi * alpha
    if beta < 700:
        return W.kaiser(n, beta)
    k = np.arange(n)
    u = 2 * k / (n - 1) - 1
    z = beta * np.sqrt(np.maximum(0, 1 - u * u))
    return i0e(z) / i0e(beta) * np.exp(z - beta)


def window(code, param, n):
    if code == 1:
        return dolph(n, param)
    if code == 2:
        return kaiser(n, param)
    if code == 4:
        return W.general_cosine(n, BH7)
    if code == 5:
        return W.hann(n)
    if code == 6:
        return W.gaussian(n, std=(n - 1) / 7)
    if code == 7:
        return W.hamming(n)
    # 3, and any code outside 1..7
    return W.blackmanharris(n)


CASES = []
for n in (2, 5, 8, 11, 64, 255):
    for code in (3, 4, 5, 6, 7):
        CASES.append((code, 0.0, n))
    for alpha in (1.0, 4.0, 10.0):
        CASES.append((2, alpha, n))
    for gamma in (1.5, 40.0, 60.0, 100.0, 0.01):
        CASES.append((1, gamma, n))
CASES += [(2, 0.0, 9), (2, 300.0, 31), (9, 0.0, 12), (0, 0.0, 7),
          (1, 40.0, 10007), (1, 100.0, 1001), (1, 60.0, 4096)]


def main():
    # SciPy warns that low-attenuation Chebyshev windows suit spectral analysis poorly.
    warnings.simplefilter("ignore", UserWarning)
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "windows.txt"), "w") as f:
        f.write("# window <code> <parameter> <points>, then one weight per line\n")
        for code, param, n in CASES:
            w = window(code, param, n)
            f.write("window %d %.17g %d\n" % (code, param, n))
            f.writelines("%.17g\n" % v for v in w)

    rng = np.random.default_rng(20261210)
    with open(os.path.join(OUT, "convolve.txt"), "w") as f:
        f.write("# convolve: <len a> <len b>, a (re im), b (re im), numpy.convolve(a, b) (re im)\n")
        for la, lb, cplx_a, cplx_b in ((7, 4, True, True), (5, 9, True, False),
                                       (6, 3, False, True), (33, 17, False, False)):
            a = rng.standard_normal(la) + (1j * rng.standard_normal(la) if cplx_a else 0)
            b = rng.standard_normal(lb) + (1j * rng.standard_normal(lb) if cplx_b else 0)
            c = np.convolve(a, b)
            f.write("convolve %d %d\n" % (la, lb))
            for v in np.concatenate([np.atleast_1d(a), np.atleast_1d(b), c]):
                v = complex(v)
                f.write("%.17g %.17g\n" % (v.real, v.imag))


if __name__ == "__main__":
    main()
