#!/usr/bin/env python3
"""Reference coefficients of equiripple designs for the Remez exchange engine tests.

Run once with Debian's SciPy (PYENV_VERSION=system python3 tools/refdata/remez_reference.py);
the output tests/data/remez/remez_reference.txt is committed.

Conventions that make scipy.signal.remez solve the same problem as the engine:
- fs=1, so band edges are fractions of the sampling frequency (0 to 0.5), as the engine takes them.
- grid_density=16 and maxiter=25, the engine's default density and pass limit.
- The weights are the linear 1/delta factors the engine receives as band weights.
- type 'bandpass' is the engine's jtype 1 (symmetric), 'differentiator' jtype 2 and 'hilbert'
  jtype 3 (both antisymmetric). For a differentiator both take the desired response as
  desired * f and the weight as weight / f in bands whose desired value is at least 0.0001.
- SciPy raises an error where the engine reports a failure (deviation not growing), so only
  designs that converge in both are listed, plus one that stops at the 25-pass limit in both.
- The engine samples the final interpolant on the mapped grid interval as soon as there are 3
  cosine coefficients; sampling it directly there gives the same polynomial. "lowpass_mapped_5"
  (3 coefficients, grid reaching neither 0 nor 0.5) checks that both agree to rounding.
"""
import os

import numpy as np
import scipy
import scipy.signal as ss


def ripple_factor(ripple_db):
    """Passband ripple (dB, peak to peak) to the linear 1/delta factor."""
    a = 10.0 ** (ripple_db / 20.0)
    return (a + 1.0) / (a - 1.0)


def atten_factor(atten_db):
    """Stopband attenuation (dB) to the linear 1/delta factor."""
    return 10.0 ** (atten_db / 20.0)


P1 = ripple_factor(1.0)
P01 = ripple_factor(0.1)
S60 = atten_factor(60.0)
S80 = atten_factor(80.0)
S95 = atten_factor(95.0)

# name, jtype, taps, edges, desired, weights
CASES = [
    ("lowpass_3", 1, 3, [0, 0.1, 0.3, 0.5], [1, 0], [1, 1]),
    ("lowpass_even_4", 1, 4, [0, 0.1, 0.35, 0.5], [1, 0], [1, 1]),
    ("lowpass_mapped_5", 1, 5, [0, 0.1, 0.3, 0.45], [1, 0], [1, 1]),
    ("lowpass_31", 1, 31, [0, 0.2, 0.25, 0.5], [1, 0], [P1, S60]),
    ("lowpass_even_32", 1, 32, [0, 0.2, 0.25, 0.5], [1, 0], [P1, S60]),
    ("lowpass_mapped_40", 1, 40, [0.02, 0.2, 0.25, 0.45], [1, 0], [P1, S60]),
    ("highpass_51", 1, 51, [0, 0.2, 0.25, 0.5], [0, 1], [S60, P1]),
    ("bandpass_61", 1, 61, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0], [S60, P1, S60]),
    ("bandpass_even_62", 1, 62, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0], [S60, P1, S60]),
    ("bandstop_63", 1, 63, [0, 0.15, 0.2, 0.3, 0.35, 0.5], [1, 0, 1], [P1, S60, P1]),
    ("multiband_80", 1, 80, [0, 0.08, 0.12, 0.2, 0.24, 0.3, 0.34, 0.4, 0.44, 0.5],
     [1, 0, 0.5, 0, 0], [P1, S60, P1, S80, S60]),
    ("differentiator_even_32", 2, 32, [0, 0.4], [1], [1]),
    ("differentiator_31", 2, 31, [0, 0.3, 0.35, 0.5], [1, 0], [1, 10]),
    ("hilbert_31", 3, 31, [0.05, 0.45], [1], [1]),
    ("hilbert_even_30", 3, 30, [0.05, 0.5], [1], [1]),
    ("hilbert_3", 3, 3, [0.1, 0.4], [1], [1]),
    ("lowpass_101", 1, 101, [0, 0.2, 0.2367, 0.5], [1, 0], [100, S95]),
    ("lowpass_even_300", 1, 300, [0, 0.2, 0.2121, 0.5], [1, 0], [P01, S80]),
    ("lowpass_1001", 1, 1001, [0, 0.2, 0.2036, 0.5], [1, 0], [100, S95]),
    ("lowpass_2001", 1, 2001, [0, 0.2, 0.2018, 0.5], [1, 0], [100, S95]),
    # Does not converge in 25 passes: both return the coefficients of the last pass (a useless
    # filter with coefficients near 1e5, compared relative to their size).
    ("passlimit_41", 1, 41, [0.1755, 0.1981, 0.2240, 0.2396, 0.3212, 0.3683, 0.4047, 0.4686],
     [0, 1, 0, 0], [232.2, 5800, 418.2, 8.16]),
]

TYPES = {1: "bandpass", 2: "differentiator", 3: "hilbert"}


def main():
    out_dir = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "remez")
    path = os.path.normpath(os.path.join(out_dir, "remez_reference.txt"))
    with open(path, "w") as f:
        f.write("# scipy.signal.remez %s, numpy %s, grid_density=16, fs=1\n"
                % (scipy.__version__, np.__version__))
        f.write("# case <name> <jtype> <taps> <bands>; edges; desired; weights; h <taps> values\n")
        for name, jtype, taps, edges, desired, weights in CASES:
            h = ss.remez(taps, edges, desired, weight=weights, type=TYPES[jtype],
                         maxiter=25, grid_density=16, fs=1)
            assert np.all(np.isfinite(h))
            f.write("case %s %d %d %d\n" % (name, jtype, taps, len(desired)))
            f.write("edges %s\n" % " ".join(repr(float(e)) for e in edges))
            f.write("desired %s\n" % " ".join(repr(float(d)) for d in desired))
            f.write("weights %s\n" % " ".join(repr(float(w)) for w in weights))
            f.write("h %d\n" % taps)
            for v in h:
                f.write("%.17g\n" % v)
    print("wrote", path)


if __name__ == "__main__":
    main()
