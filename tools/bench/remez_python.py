#!/usr/bin/env python3
"""Overhead of the corvifir Python module over the C++ call: times corvifir.remez on the
1001-tap lowpass of bench_remez (BM_RemezLowpass/2) and runs that benchmark for the C++ time.
The two are measured in alternating rounds, each the best of its repetitions, so that a change
of the machine's load during the run touches both.

Usage: PYTHONPATH=build/python PYENV_VERSION=system python3 tools/bench/remez_python.py [build]
"""

import json
import subprocess
import sys
import time

import corvifir

TAPS, TRANSITION, REPEATS, ROUNDS = 1001, 0.0036, 20, 5


def python_seconds():
    bands = [0.0, 0.2, 0.2 + TRANSITION, 0.5]
    weight = [100.0, 10.0 ** (95.0 / 20.0)]
    corvifir.remez(TAPS, bands, [1.0, 0.0], weight=weight, engine="classic")
    best = float("inf")
    for _ in range(REPEATS):
        start = time.perf_counter()
        corvifir.remez(TAPS, bands, [1.0, 0.0], weight=weight, engine="classic")
        best = min(best, time.perf_counter() - start)
    return best


def cpp_seconds(build):
    out = subprocess.run(
        [f"{build}/bench/bench_remez", "--benchmark_filter=BM_RemezLowpass/2$",
         "--benchmark_format=json", f"--benchmark_repetitions={REPEATS}"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[runs[0]["time_unit"]]
    return min(b["real_time"] for b in runs) * unit


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    pys, cpps = [], []
    for _ in range(ROUNDS):
        pys.append(python_seconds())
        cpps.append(cpp_seconds(build))
        print(f"  round: Python {pys[-1] * 1e3:.3f} ms, C++ {cpps[-1] * 1e3:.3f} ms", flush=True)
    py, cpp = min(pys), min(cpps)
    print(f"{TAPS}-tap remez: Python {py * 1e3:.3f} ms, C++ {cpp * 1e3:.3f} ms, "
          f"overhead {100.0 * (py - cpp) / cpp:+.1f} %")


if __name__ == "__main__":
    main()
