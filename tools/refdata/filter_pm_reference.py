#!/usr/bin/env python3
"""Writes tests/data/filter/pm_designs.txt: SciPy's equiripple designs of the band lists the
filter tests build, for comparison with the filter's Parks-McClellan design.

Band weights are the filter's linear attenuation factors 1/delta: a passband ripple of R dB peak
to peak gives (a + 1)/(a - 1) with a = 10^(R/20), a stopband attenuation of A dB gives 10^(A/20),
and a stopband weight given in dB replaces the stopband's factor with 10^(W/20).

Each line: design-name tap-index coefficient.

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/filter_pm_reference.py
"""
import os
import scipy.signal


def ripple_factor(db):
    a = 10.0 ** (db / 20.0)
    return (a + 1.0) / (a - 1.0)


def attn_factor(db):
    return 10.0 ** (db / 20.0)


DESIGNS = [
    # Lowpass, 1 dB ripple up to 0.1 Fs, 40 dB attenuation from 0.15 Fs.
    ("lowpass31", 31, [0.0, 0.1, 0.15, 0.5], [1.0, 0.0], [ripple_factor(1.0), attn_factor(40.0)]),
    # Highpass, stopband weight 20 dB up to 0.2 Fs, 0.5 dB ripple from 0.26 Fs.
    ("highpass45", 45, [0.0, 0.2, 0.26, 0.5], [0.0, 1.0], [attn_factor(20.0), ripple_factor(0.5)]),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, "tests", "data", "filter", "pm_designs.txt")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        for name, taps, bands, desired, weight in DESIGNS:
            h = scipy.signal.remez(taps, bands, desired, weight=weight, fs=1.0, grid_density=16)
            for i, v in enumerate(h):
                out.write("%s %d %.17g\n" % (name, i, v))


if __name__ == "__main__":
    main()
