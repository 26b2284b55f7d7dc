#!/usr/bin/env python3
"""Filters for the hardware export tests, designed with SciPy, in tests/data/hdl/ as
Text:Decimal files (one coefficient a line):

  lp_odd11.txt     11-tap linear-phase lowpass (symmetric, odd length)
  lp_even10.txt    10-tap linear-phase lowpass (symmetric, even length)
  hilbert9.txt     9-tap Hilbert transformer (antisymmetric, odd length, zero centre tap)
  hilbert8.txt     8-tap Hilbert transformer (antisymmetric, even length)
  minphase8.txt    8-tap minimum-phase lowpass (no symmetry)
  halfband11.txt   11-tap halfband lowpass (symmetric, every other tap zero)
  lp_odd101.txt    101-tap linear-phase lowpass (51 distinct coefficients once folded)

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/hdl_filters.py
"""
import os

import numpy as np
from scipy import signal

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "hdl")


def write(name, taps):
    taps = np.asarray(taps, dtype=float)
    with open(os.path.join(OUT, name), "w") as f:
        for t in taps:
            f.write(f"{t:.17g}\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    write("lp_odd11.txt", signal.firwin(11, 0.3))
    write("lp_even10.txt", signal.firwin(10, 0.3))
    write("hilbert9.txt", signal.remez(9, [0.05, 0.45], [1], type="hilbert", fs=1.0))
    write("hilbert8.txt", signal.remez(8, [0.05, 0.5], [1], type="hilbert", fs=1.0))
    write("minphase8.txt", signal.minimum_phase(signal.firwin(15, 0.3)))
    halfband = signal.firwin(11, 0.5)
    halfband[np.abs(halfband) < 1e-12] = 0.0
    write("halfband11.txt", halfband)
    write("lp_odd101.txt", signal.firwin(101, 0.23))


if __name__ == "__main__":
    main()
