#!/usr/bin/env python3
"""Times the SciPy counterparts of bench/bench_methods.cpp (median of repeats): a Kaiser-windowed
lowpass with scipy.signal.firwin (window alpha 2.5, beta = 2.5 pi, cutoff 0.2 Fs, unit gain at
DC) and the 16201-tap CIC response as 99 numpy.convolve calls of a 163-tap boxcar.

Prints wall-clock and process CPU time, like Google Benchmark's Time and CPU columns.

Run with Debian's SciPy: PYENV_VERSION=system python3 tools/bench/methods_scipy.py
"""
import statistics
import time

import numpy as np
import scipy.signal as ss


def timeit(fn):
    wall, cpu = [], []
    budget = time.perf_counter() + 3.0
    while len(wall) < 5 or (time.perf_counter() < budget and len(wall) < 200):
        start, start_cpu = time.perf_counter(), time.process_time()
        fn()
        cpu.append(time.process_time() - start_cpu)
        wall.append(time.perf_counter() - start)
    return statistics.median(wall) * 1e3, statistics.median(cpu) * 1e3


def cic():
    h = np.ones(163)
    box = np.ones(163)
    for _ in range(99):
        h = np.convolve(h, box)
    return h


def main():
    for taps in (101, 1001, 4001):
        wall, cpu = timeit(lambda: ss.firwin(taps, 0.2, window=("kaiser", 2.5 * np.pi), fs=1.0))
        print("firwin kaiser %5d taps: %8.3f ms wall %8.3f ms cpu" % (taps, wall, cpu))
    wall, cpu = timeit(cic)
    print("CIC 100 x 163 (16201 taps): %8.3f ms wall %8.3f ms cpu" % (wall, cpu))


if __name__ == "__main__":
    main()
