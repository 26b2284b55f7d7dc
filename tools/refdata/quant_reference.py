#!/usr/bin/env python3
"""Writes the reference data of the quantization tests and benchmark under tests/data/quant/.

lowpass255.txt, lowpass2001.txt: SciPy's equiripple lowpass designs (passband 0 to 0.1 Fs,
stopband from 0.1 + transition to 0.5 Fs), one coefficient per line in %.17g.

response_error.txt: the search error measure of a small filter against its unquantized
reference, computed from NumPy's FFT of the zero-padded coefficients. Each response has
resolution * 2^b bins, b the bit length of the tap count; the bins from frequency 0 up to, not
including, bin L/2 - 1 (the bin of Fs/2 on the frequency axis, clamped to its last positive
bin) are compared with the reference bin k*s, s = M div N, magnitudes by the
largest-plus-smaller-part rule. Lines: "taps t", "quantized t", then "error low high value"
for each pair of resolutions.

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/quant_reference.py
"""
import os
import numpy as np
import scipy.signal

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "quant")


def lowpass(taps, transition, ripple_db, atten_db):
    a = 10.0 ** (ripple_db / 20.0)
    delta_pass = (a - 1.0) / (a + 1.0)
    delta_stop = 10.0 ** (-atten_db / 20.0)
    return scipy.signal.remez(taps, [0.0, 0.1, 0.1 + transition, 0.5], [1.0, 0.0],
                              weight=[1.0 / delta_pass, 1.0 / delta_stop], fs=1.0, maxiter=100)


def estimate(z):
    x = np.abs(z.real)
    y = np.abs(z.imag)
    return 0.960433870103 * np.maximum(x, y) + 0.397824734759 * np.minimum(x, y)


def spectrum(h, resolution):
    length = resolution * (1 << int(len(h)).bit_length())
    return np.fft.fft(np.concatenate([h, np.zeros(length - len(h))]))


def response_error(h, ref_h, res, res_ref):
    c = spectrum(h, res)
    r = spectrum(ref_h, res_ref)
    n, m = len(c), len(r)
    s = m // n
    k = np.arange(0, n // 2 - 1)
    cm = estimate(c[k])
    rm = estimate(r[k * s])
    d2 = (cm - rm) ** 2
    counted = (rm > 0.1) | (rm < cm)
    if counted.any():
        return d2[counted].mean()
    return d2.mean() if len(d2) else 0.0


def main():
    os.makedirs(OUT, exist_ok=True)
    for taps, transition in ((255, 0.03), (2001, 0.004)):
        h = lowpass(taps, transition, 0.1, 90.0)
        with open(os.path.join(OUT, "lowpass%d.txt" % taps), "w") as f:
            for v in h:
                f.write("%.17g\n" % v)

    taps = np.array([0.013, -0.052, 0.148, 0.291, 0.148, -0.052, 0.013, 0.004, -0.021])
    quantized = np.round(taps * 64.0) / 64.0
    with open(os.path.join(OUT, "response_error.txt"), "w") as f:
        f.write("taps " + " ".join("%.17g" % v for v in taps) + "\n")
        f.write("quantized " + " ".join("%.17g" % v for v in quantized) + "\n")
        for res, res_ref in ((4, 32), (8, 32), (32, 32), (3, 32), (16, 4)):
            f.write("error %d %d %.17g\n" % (res, res_ref,
                                               response_error(quantized, taps, res, res_ref)))
        # A reference below 0.1 everywhere and a response below it: every bin counts.
        small = taps * 0.01
        f.write("small " + " ".join("%.17g" % v for v in small) + "\n")
        f.write("smallerror %.17g\n" % response_error(small * 0.5, small, 4, 32))


if __name__ == "__main__":
    main()
