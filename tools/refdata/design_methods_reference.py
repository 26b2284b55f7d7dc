#!/usr/bin/env python3
"""Reference taps for the windowed-sinc, raised-cosine and CIC designs, computed with SciPy/NumPy.

Run once with Debian's NumPy/SciPy:  PYENV_VERSION=system python3 tools/refdata/design_methods_reference.py
Writes tests/data/design/methods_reference.txt: one line per tap, "name index value", and one
line "name params ..." per case before its taps describing the design.

- Windowed sinc: scipy.signal.firwin with the program's window, both unscaled (scale=False, the
  truncated ideal response times the window) and scaled (scale=True: unit gain at DC for a
  lowpass or bandstop, at Nyquist for a highpass, at the passband centre for a bandpass, the
  frequencies the program scales at). Windows as the program defines them: Kaiser-Bessel alpha
  gives beta = pi * alpha; Gaussian std = (N - 1) / 7; Blackman-Harris seven-term as
  general_cosine with its seven coefficients; Dolph-Chebyshev gamma dB as chebwin with the
  attenuation 20 log10((1 + r) / r), r = 10^(-gamma/20), divided by its centre value.
- Raised cosine and root raised cosine: the published closed forms, with the published values at
  the singular points (raised cosine at t = +-1/(2 beta): (pi/4) sinc(1/(2 beta)); root raised
  cosine at t = 0: 1 - beta + 4 beta/pi, at t = +-1/(4 beta):
  beta/sqrt(2) ((1 + 2/pi) sin(pi/(4 beta)) + (1 - 2/pi) cos(pi/(4 beta)))), divided by sps.
- CIC: numpy.convolve of N boxcars of R*M ones.
"""
import os

import numpy as np
from scipy import signal
from scipy.signal import windows as W

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
OUT = os.path.join(ROOT, "tests", "data", "design", "methods_reference.txt")

BH7 = [0.271051400693424, 0.433297939234485, 0.21812299954311, 0.065925446388031,
       0.010811742098371, 0.000776584825226, 0.000013887217352]


def window(code, param, n):
    if code == 0:
        return np.ones(n)
    if code == 1:
        r = 10.0 ** (-param / 20.0)
        w = W.chebwin(n, 20.0 * np.log10((1.0 + r) / r))
        return w / w[(n - 1) // 2] if n % 2 else w / max(w[n // 2 - 1], w[n // 2])
    if code == 2:
        return W.kaiser(n, np.pi * param)
    if code == 3:
        return W.blackmanharris(n)
    if code == 4:
        return W.general_cosine(n, BH7)
    if code == 5:
        return W.hann(n)
    if code == 6:
        return W.gaussian(n, (n - 1) / 7.0)
    if code == 7:
        return W.hamming(n)
    raise ValueError(code)


# name, Fs, filter type (0 lp, 1 hp, 2 bp, 3 bs), corner1, corner2, taps, window code, parameter
WS_CASES = [
    ("ws_lp_hamming", 1.0, 0, 0.2, 0.0, 31, 7, 0.0),
    ("ws_hp_kaiser", 1.0, 1, 0.3, 0.0, 41, 2, 2.5),
    ("ws_bp_bh4", 1.0, 2, 0.25, 0.1, 51, 3, 0.0),
    ("ws_bs_hanning", 1.0, 3, 0.15, 0.3, 45, 5, 0.0),
    ("ws_lp_gauss_even", 1.0, 0, 0.125, 0.0, 32, 6, 0.0),
    ("ws_bp_cheby_even", 1.0, 2, 0.1, 0.2, 40, 1, 60.0),
    ("ws_lp_bh7", 1.0, 0, 0.3, 0.0, 25, 4, 0.0),
    ("ws_lp_none_hz", 8000.0, 0, 2000.0, 0.0, 21, 0, 0.0),
]


def firwin(fs, ftype, c1, c2, n, code, param, scale):
    w = window(code, param, n)
    if ftype in (0, 1):
        h = signal.firwin(n, c1, window="boxcar", pass_zero=(ftype == 0), scale=scale, fs=fs)
    else:
        lo, hi = sorted((c1, c2))
        h = signal.firwin(n, [lo, hi], window="boxcar", pass_zero=(ftype == 3), scale=False,
                          fs=fs)
    h = h * w
    if scale and ftype in (0, 1):
        # firwin scales before the window is applied only with window="boxcar"; rescale the
        # windowed taps at the same frequency as firwin(scale=True) does.
        f0 = 0.0 if ftype == 0 else 0.5
        h = h / np.sum(h * np.cos(np.pi * 2 * f0 * (np.arange(n) - (n - 1) / 2)))
    elif scale:
        lo, hi = sorted((c1, c2))
        f0 = (lo + hi) / 2 / fs if ftype == 2 else 0.0
        h = h / np.sum(h * np.cos(np.pi * 2 * f0 * (np.arange(n) - (n - 1) / 2)))
    return h


def raised_cosine(n, sps, beta, root):
    h = np.zeros(n)
    for i in range(n):
        t = (i - (n - 1) / 2.0) / sps
        if not root:
            if abs(abs(t) - 1.0 / (2 * beta)) < 1e-9:
                v = np.pi / 4 * np.sinc(1.0 / (2 * beta))
            else:
                v = np.sinc(t) * np.cos(np.pi * beta * t) / (1 - (2 * beta * t) ** 2)
        else:
            if abs(t) < 1e-12:
                v = 1 - beta + 4 * beta / np.pi
            elif abs(abs(t) - 1.0 / (4 * beta)) < 1e-9:
                a = np.pi / (4 * beta)
                v = beta / np.sqrt(2) * ((1 + 2 / np.pi) * np.sin(a) + (1 - 2 / np.pi) * np.cos(a))
            else:
                v = (np.sin(np.pi * t * (1 - beta)) + 4 * beta * t * np.cos(np.pi * t * (1 + beta))) / (
                    np.pi * t * (1 - (4 * beta * t) ** 2))
        h[i] = v / sps
    return h


# name, taps, sps, beta, root
RC_CASES = [
    ("rc_49_sps8_b05", 49, 8.0, 0.5, 0),
    ("rc_48_sps8_b035", 48, 8.0, 0.35, 0),
    ("rc_33_sps4_b025", 33, 4.0, 0.25, 0),
    ("rrc_49_sps8_b05", 49, 8.0, 0.5, 1),
    ("rrc_65_sps8_b025", 65, 8.0, 0.25, 1),
    ("rrc_40_sps5_b03", 40, 5.0, 0.3, 1),
    ("rrc_41_sps4_b0125", 41, 4.0, 0.125, 1),
]

# name, N, R, M
CIC_CASES = [
    ("cic_5_8_1", 5, 8, 1),
    ("cic_3_2_1", 3, 2, 1),
    ("cic_4_3_2", 4, 3, 2),
    ("cic_1_8_1", 1, 8, 1),
    ("cic_2_1_1", 2, 1, 1),
]


def main():
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w") as out:
        def emit(name, params, h):
            out.write("%s params %s\n" % (name, " ".join(repr(p) for p in params)))
            for i, v in enumerate(h):
                out.write("%s %d %.17g\n" % (name, i, v))

        for name, fs, ftype, c1, c2, n, code, param in WS_CASES:
            params = (fs, ftype, c1, c2, n, code, param)
            emit(name, params, firwin(fs, ftype, c1, c2, n, code, param, False))
            emit(name + "_unity", params, firwin(fs, ftype, c1, c2, n, code, param, True))
        for name, n, sps, beta, root in RC_CASES:
            emit(name, (n, sps, beta, root), raised_cosine(n, sps, beta, root))
        for name, stages, rate, delay in CIC_CASES:
            h = np.ones(1)
            for _ in range(stages):
                h = np.convolve(h, np.ones(rate * delay))
            emit(name, (stages, rate, delay), h)


if __name__ == "__main__":
    main()
