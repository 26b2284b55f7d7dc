#!/usr/bin/env python3
"""Reference values for the polynomial root finder and the minimum-phase conversion.

Computed once with NumPy/SciPy and committed under tests/data/dsp/; the tests never need
Python. Run with Debian's interpreter:  PYENV_VERSION=system python3 tools/refdata/min_phase_refdata.py

poly_roots.txt   blocks "case NAME NCOEF NROOTS TOL", NCOEF lines "re im" (highest power first),
                 NROOTS lines "re im" (numpy.roots); TOL is the accepted root error relative to
                 max(1, |root|).
min_phase.txt    blocks "case NAME NTAPS NOUT ERRDB CHECK", NTAPS lines "re im" of the input taps,
                 NOUT lines "re im" of the minimum-phase taps, ERRDB the magnitude error in dB;
                 CHECK says how a test uses ERRDB: "small" (a good conversion, error near 0),
                 "equal" (a real mismatch the error must report), "none" (the error is
                 dominated by rounding at an exact zero of the response and is not compared).
                 The conversion: roots of h/h[0] (numpy.roots; from 4 taps on of its real part),
                 zeros outside the unit circle moved to 1/conj(r), the factors multiplied out in
                 bit-reversed order of their angles (numpy's eigenvalue order loses deep stopbands
                 to cancellation), gain set so that the zero-frequency gain is kept
                 (h[0] * prod(|r|) over the moved zeros when that gain vanishes).
"""
import os

import numpy as np
import scipy.signal as sig

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "data", "dsp")
EPS = np.finfo(float).eps


def fmt(z):
    z = complex(z)
    return "%.17g %.17g" % (z.real, z.imag)


def roots_cases():
    rng = np.random.default_rng(20261210)
    cases = []
    degrees = sorted(set([2, 3, 4, 60] + list(rng.integers(2, 61, size=10))))
    for d in degrees:
        cases.append(("random_deg%d" % d, rng.standard_normal(d + 1), 1e-8))
    # Repeated roots: a root of multiplicity m is only determined to about eps^(1/m).
    cases.append(("double_real", np.poly([1.0, 1.0, -0.5, 2.0, 0.3]), 100 * EPS ** 0.5))
    cases.append(("triple_real", np.poly([0.5, 0.5, 0.5, -1.0, 3.0]), 100 * EPS ** (1 / 3)))
    pair = 0.6 * np.exp(1j * 0.9)
    cases.append(("double_pair", np.real(np.poly([pair, pair, np.conj(pair), np.conj(pair), -0.7])),
                  100 * EPS ** 0.5))
    # Zeros on the unit circle.
    cases.append(("unity_12", np.r_[1.0, np.zeros(11), -1.0], 1e-9))
    cases.append(("unity_odd_25", np.r_[1.0, np.zeros(24), 1.0], 1e-9))
    th = np.array([0.3, 1.1, 2.0, 2.9])
    circle = np.concatenate([np.exp(1j * th), np.exp(-1j * th), [1.0, -1.0]])
    cases.append(("on_circle", np.real(np.poly(circle)), 1e-9))
    cases.append(("firwin_41", sig.firwin(41, 0.27), 1e-9))
    # Zeros at the origin (trailing zero coefficients).
    cases.append(("trailing_zeros", np.r_[rng.standard_normal(6), 0.0, 0.0, 0.0], 1e-9))
    # Wide dynamic range of coefficients and of root moduli (the coefficient scaling).
    cases.append(("wide_moduli", np.poly([1e-4, -1e-2, 1.0, 1e2, -1e4]), 1e-9))
    cases.append(("huge_coeffs", 1e30 * rng.standard_normal(9), 1e-8))
    cases.append(("tiny_coeffs", 1e-30 * rng.standard_normal(9), 1e-8))
    cases.append(("integers_1_to_8", np.poly(np.arange(1.0, 9.0)), 1e-6))
    # Degrees 1 and 2 with complex coefficients (solved directly).
    cases.append(("linear_complex", np.array([1.0, 0.5 - 2j]), 1e-14))
    cases.append(("quadratic_complex", np.array([1.0 + 0.5j, -0.3 + 2j, 0.7 - 0.1j]), 1e-13))
    return cases


def magnitude_error_db(h, c, full_circle):
    n = len(h)
    m = 2 * n
    k = np.arange(2 * m if full_circle else m)
    x = np.exp(1j * np.pi * k / m)
    a = 20 * np.log10(np.abs(np.polyval(h, x)))
    b = 20 * np.log10(np.abs(np.polyval(c, x)))
    # Two exact zeros of the response agree.
    return float(np.max(np.where(a == b, 0.0, np.abs(a - b))))


def min_phase(h):
    h = np.asarray(h, dtype=complex)
    real = bool(np.all(h.imag == 0))
    g = h / h[0]
    r = np.roots(g.real if len(h) >= 4 else g)
    outside = np.abs(r) > 1
    moved_gain = h[0] * np.prod(np.abs(r[outside]))
    r[outside] = 1 / np.conj(r[outside])
    by_angle = r[np.argsort(np.mod(np.angle(r), 2 * np.pi), kind="stable")]
    bits = max(1, int(np.ceil(np.log2(len(r)))))
    keys = [int(format(i, "0%db" % bits)[::-1], 2) for i in range(len(r))]
    c = np.array([1.0 + 0j])
    for z in by_angle[np.argsort(keys)]:
        c = np.append(c, 0) - z * np.append(0, c)
    s1 = np.sum(c)
    if abs(s1) > 1e-6 * np.sum(np.abs(c)):
        c *= np.sum(h) / s1
    else:
        c *= moved_gain
    if real:
        c = c.real.astype(complex)
    return c, magnitude_error_db(h, c, not real)


def min_phase_cases():
    rng = np.random.default_rng(7)
    inside = np.poly([0.9 * np.exp(0.4j), 0.9 * np.exp(-0.4j), -0.5, 0.2, 0.7j, -0.7j])
    return [
        ("two_taps", [1.0, 2.0], "small"),
        ("already_minimum", np.real(inside), "small"),
        ("symmetric_5", [0.2, -0.9, 1.5, -0.9, 0.2], "small"),
        ("random_10", rng.standard_normal(10), "small"),
        ("firwin_31", sig.firwin(31, 0.3), "small"),
        ("remez_41", sig.remez(41, [0, 0.2, 0.3, 0.5], [1, 0]), "small"),
        ("firwin_101", sig.firwin(101, 0.23), "small"),
        ("remez_128", sig.remez(128, [0, 0.2, 0.22, 0.5], [1, 0]), "small"),
        ("bandpass_120", sig.remez(120, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0]), "small"),
        ("highpass_zero_dc_3", [1.0, -3.0, 2.0], "small"),
        ("hilbert_31", sig.remez(31, [0.05, 0.45], [1], type="hilbert"), "none"),
        ("complex_2", [1.0, 2j], "small"),
        ("complex_3", [1.0, -1.0 + 3j, 0.5 - 2j], "small"),
        ("complex_5", [1.0, 0.5j, -0.3, 0.2j, 0.1], "equal"),
    ]


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "poly_roots.txt"), "w") as f:
        for name, coeffs, tol in roots_cases():
            r = np.roots(coeffs)
            f.write("case %s %d %d %.3g\n" % (name, len(coeffs), len(r), tol))
            f.writelines(fmt(v) + "\n" for v in coeffs)
            f.writelines(fmt(v) + "\n" for v in r)
    with open(os.path.join(OUT, "min_phase.txt"), "w") as f:
        for name, h, check in min_phase_cases():
            with np.errstate(divide="ignore", invalid="ignore"):
                c, err = min_phase(h)
            f.write("case %s %d %d %.17g %s\n" % (name, len(h), len(c), err, check))
            f.writelines(fmt(v) + "\n" for v in h)
            f.writelines(fmt(v) + "\n" for v in c)
            if name == "complex_5":
                half = magnitude_error_db(np.asarray(h), c, False)
                print("complex_5: error %.6g dB around the circle, %.6g dB on 0..Fs/2" % (err, half))
            else:
                print("%s: error %.3g dB" % (name, err))


if __name__ == "__main__":
    main()
