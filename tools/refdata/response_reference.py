#!/usr/bin/env python3
"""Writes tests/data/response/freqz_reference.txt: FIR filters and their frequency response and
group delay at chosen frequencies, from scipy.signal.freqz and scipy.signal.group_delay.

Run once with Debian's NumPy/SciPy:  PYENV_VERSION=system python3 tools/refdata/response_reference.py

File layout, one filter after another:
    filter <name> <taps>
    <I[n]> <Q[n]>                      one line per tap
    points <count>
    <f> <Re H> <Im H> <group delay>    f in fractions of Fs, H = sum x[n] exp(-j 2 pi f n),
                                       group delay in samples ("nan" near a null of H, where
                                       it means nothing)
"""
import os

import numpy as np
import scipy.signal as ss

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "response",
                   "freqz_reference.txt")


def filters():
    rng = np.random.default_rng(20261210)
    # Odd symmetric lowpass (linear phase).
    yield "lowpass31", ss.firwin(31, 0.3), None
    # Even-length real filter without symmetry.
    yield "random32", rng.standard_normal(32) * np.exp(-np.arange(32) / 10.0), None
    # Long lowpass: several blocks and a short last one in the evaluator.
    yield "lowpass4097", ss.firwin(4097, 0.1, window=("kaiser", 8.0)), None
    # Odd complex bandpass: a lowpass shifted up by 0.2 Fs.
    n = np.arange(25)
    h = ss.firwin(25, 0.15) * np.exp(2j * np.pi * 0.2 * n)
    yield "complex25", h.real, h.imag
    # Even complex filter without symmetry.
    yield "complex16", rng.standard_normal(16), rng.standard_normal(16)
    # Long complex filter with a partial last block.
    n = np.arange(1500)
    h = ss.firwin(1500, 0.05) * np.exp(-2j * np.pi * 0.125 * n)
    yield "complex1500", h.real, h.imag
    # Minimum phase (no symmetry; delay varying across the band).
    yield "minphase51", ss.minimum_phase(ss.firwin(101, 0.2), method="homomorphic"), None


def frequencies(rng):
    special = [0.0, 0.5, -0.5, 0.25, -0.125, 1.0 / 3.0, 0.7, -0.9]
    return np.concatenate([special, rng.uniform(-0.5, 0.5, 24)])


def main():
    rng = np.random.default_rng(7)
    lines = []
    for name, i_part, q_part in filters():
        taps = i_part if q_part is None else i_part + 1j * q_part
        q_part = np.zeros_like(i_part) if q_part is None else q_part
        f = frequencies(rng)
        w = 2 * np.pi * f
        _, h = ss.freqz(taps, 1, worN=w)
        _, gd = ss.group_delay((taps, [1.0]), w=w)
        gd[np.abs(h) < 1e-6 * np.sum(np.abs(taps))] = np.nan
        lines.append(f"filter {name} {len(i_part)}")
        lines += [f"{a!r} {b!r}" for a, b in zip(i_part.tolist(), q_part.tolist())]
        lines.append(f"points {len(f)}")
        for fi, hi, gi in zip(f, h, gd):
            lines.append(f"{fi!r} {hi.real!r} {hi.imag!r} {gi!r}")
    with open(OUT, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
