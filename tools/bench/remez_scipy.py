#!/usr/bin/env python3
"""Times scipy.signal.remez on the lowpass designs of bench/bench_remez.cpp (median of repeats).

Prints the wall-clock and the process CPU time per design, like Google Benchmark's Time and CPU
columns; on a shared machine the CPU time is the steadier figure.

Run with Debian's SciPy: PYENV_VERSION=system python3 tools/bench/remez_scipy.py
"""
import statistics
import time

import scipy.signal as ss

# taps, transition width (fractions of Fs): passband 0..0.2, 1 % ripple; stopband 95 dB.
CASES = [(101, 0.0367), (301, 0.01206), (1001, 0.0036), (2001, 0.0018)]


def main():
    weights = [100.0, 10.0 ** (95.0 / 20.0)]
    for taps, transition in CASES:
        edges = [0.0, 0.2, 0.2 + transition, 0.5]
        wall = []
        cpu = []
        budget = time.perf_counter() + 3.0
        while len(wall) < 5 or (time.perf_counter() < budget and len(wall) < 200):
            start = time.perf_counter()
            start_cpu = time.process_time()
            ss.remez(taps, edges, [1.0, 0.0], weight=weights, grid_density=16, fs=1)
            cpu.append(time.process_time() - start_cpu)
            wall.append(time.perf_counter() - start)
        print("scipy.signal.remez %5d taps: median %9.3f ms wall, %9.3f ms CPU over %d runs"
              % (taps, statistics.median(wall) * 1e3, statistics.median(cpu) * 1e3, len(wall)))


if __name__ == "__main__":
    main()
