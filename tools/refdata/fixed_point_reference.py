#!/usr/bin/env python3
"""Reference values of the bit-true fixed-point FIR model, computed with Python's unbounded
integers, for tests/core/fixed: tests/data/fixed/fixed_point_reference.txt.

Each case draws integer coefficients of a word length (some of them zero) and input samples of
an input word length (with both ends of the range among them), convolves them exactly and
takes the output words every way the model offers. The extremes of the accumulator are found
by visiting every corner of the input range (each sample at its lowest or highest value), so
they do not rest on the model's closed form.

  case NAME COEF_BITS INPUT_BITS ACC_BITS LOW HIGH    ACC_BITS: smallest width holding LOW..HIGH
  c   coefficients
  x   input samples
  y   exact accumulator values
  out OUTPUT_BITS SHIFT ROUNDING OVERFLOW words...   ROUNDING truncate|round, OVERFLOW saturate|wrap
  end

Run with Debian's Python: PYENV_VERSION=system python3 tools/refdata/fixed_point_reference.py
"""
import itertools
import os
import random

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "fixed")


def signed_width(v):
    bits = 1
    while not (-(1 << (bits - 1)) <= v <= (1 << (bits - 1)) - 1):
        bits += 1
    return bits


def convolve(c, x):
    return [sum(c[k] * x[n - k] for k in range(len(c)) if n - k >= 0) for n in range(len(x))]


def corner_extremes(c, wi):
    lo_x, hi_x = -(1 << (wi - 1)), (1 << (wi - 1)) - 1
    sums = [sum(ck * xk for ck, xk in zip(c, xs))
            for xs in itertools.product((lo_x, hi_x), repeat=len(c))]
    return min(sums), max(sums)


def output_word(acc, bits, shift, rounding, overflow):
    if shift > 0:
        if rounding == "round":
            acc += 1 << (shift - 1)
        acc >>= shift  # Python's >> on int is floor division by 2^shift
    lo, hi = -(1 << (bits - 1)), (1 << (bits - 1)) - 1
    if overflow == "saturate":
        return min(max(acc, lo), hi)
    return ((acc - lo) % (1 << bits)) + lo


def make_case(out, rng, name, taps, wc, wi, samples, zeros=0):
    c_lo, c_hi = -(1 << (wc - 1)), (1 << (wc - 1)) - 1
    c = [rng.randint(c_lo, c_hi) for _ in range(taps)]
    for k in rng.sample(range(taps), zeros):
        c[k] = 0
    x_lo, x_hi = -(1 << (wi - 1)), (1 << (wi - 1)) - 1
    x = [rng.choice((x_lo, x_hi, rng.randint(x_lo, x_hi), rng.randint(x_lo, x_hi)))
         for _ in range(samples)]
    y = convolve(c, x)
    low, high = corner_extremes(c, wi)
    acc = max(signed_width(low), signed_width(high))
    out.append(f"case {name} {wc} {wi} {acc} {low} {high}")
    out.append("c " + " ".join(map(str, c)))
    out.append("x " + " ".join(map(str, x)))
    out.append("y " + " ".join(map(str, y)))
    # Full precision, the top bits, and a word that drops both low and high bits.
    shapes = [(acc, 0), (acc - 7, 7), (wi + 2, wc - 3)]
    for bits, shift in shapes:
        for rounding, overflow in itertools.product(("truncate", "round"), ("saturate", "wrap")):
            words = [output_word(v, bits, shift, rounding, overflow) for v in y]
            out.append(f"out {bits} {shift} {rounding} {overflow} " + " ".join(map(str, words)))
    out.append("end")


def main():
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(20)
    out = []
    make_case(out, rng, "small", 5, 8, 8, 40)
    make_case(out, rng, "zeros", 9, 12, 10, 60, zeros=3)
    make_case(out, rng, "wide", 12, 40, 40, 80, zeros=1)
    make_case(out, rng, "max_words", 10, 48, 48, 50)
    with open(os.path.join(OUT, "fixed_point_reference.txt"), "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
