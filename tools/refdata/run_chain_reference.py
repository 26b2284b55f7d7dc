#!/usr/bin/env python3
"""Reference result of a command chain applied to a project through `corvifir-cli run`.

Run once with Debian's NumPy:  PYENV_VERSION=system python3 tools/refdata/run_chain_reference.py
Writes tests/data/doc/run_chain.txt: the taps of the project (21), the taps of the project it is
convolved with (8), and the taps after the chain

    window inphase --type hamming
    scale inphase --method sum-abs --value 1 --linear
    zero-stuff --stuff 1 --append 2 --no-scale-fs
    convolve SECOND
    polyphase --phases 2 --select 1 --no-scale-values --no-scale-fs
    reverse

computed independently: NumPy's Hamming window, division by the sum of magnitudes, a zero
between adjacent taps and two at the end, numpy.convolve, every second tap from index 1, and the
reversed order.
"""
import os

import numpy as np

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
OUT = os.path.join(ROOT, "tests", "data", "doc", "run_chain.txt")


def main():
    rng = np.random.default_rng(20261210)
    first = np.round(rng.uniform(-1, 1, 21), 6)
    second = np.round(rng.uniform(-1, 1, 8), 6)

    h = first * np.hamming(len(first))
    h = h / np.sum(np.abs(h))
    stuffed = np.zeros(2 * (len(h) - 1) + 1)
    stuffed[::2] = h
    h = np.concatenate([stuffed, np.zeros(2)])
    h = np.convolve(h, second)
    h = h[1::2]
    h = h[::-1]

    with open(OUT, "w") as f:
        f.write("# first taps, second taps, result of the chain (see the script)\n")
        for name, values in (("first", first), ("second", second), ("result", h)):
            f.write("%s %d\n" % (name, len(values)))
            for v in values:
                f.write("%.17g\n" % v)


if __name__ == "__main__":
    main()
