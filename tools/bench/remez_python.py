#!/usr/bin/env python3
"""Overhead of the corvifir Python module over the C++ call: times corvifir.remez on the
1001-tap lowpass of bench_remez (BM_RemezLowpass/2) and runs that benchmark for the C++ time.
The two are measured in alternating rounds, each the best of its repetitions (each repetition a
mean over several designs), in wall-clock and in CPU time, so that a change of the machine's load
during the run touches both; on a loaded machine the CPU figures are the ones to trust.

Usage: PYTHONPATH=build/python PYENV_VERSION=system python3 tools/bench/remez_python.py [build]
"""

import json
import subprocess
import sys
import time

import corvifir

TAPS, TRANSITION, REPEATS, BATCH, ROUNDS = 1001, 0.0036, 10, 10, 5


def python_seconds():
    """(wall, CPU) seconds per design: the best of REPEATS batches of BATCH designs. CPU time is
    the whole process's, so the design's worker thread counts."""
    bands = [0.0, 0.2, 0.2 + TRANSITION, 0.5]
    weight = [100.0, 10.0 ** (95.0 / 20.0)]
    corvifir.remez(TAPS, bands, [1.0, 0.0], weight=weight, engine="classic")
    wall = cpu = float("inf")
    for _ in range(REPEATS):
        start, start_cpu = time.perf_counter(), time.process_time()
        for _ in range(BATCH):
            corvifir.remez(TAPS, bands, [1.0, 0.0], weight=weight, engine="classic")
        wall = min(wall, (time.perf_counter() - start) / BATCH)
        cpu = min(cpu, (time.process_time() - start_cpu) / BATCH)
    return wall, cpu


def cpp_seconds(build):
    """(wall, CPU) seconds per design: the best of REPEATS repetitions of the benchmark."""
    out = subprocess.run(
        [f"{build}/bench/bench_remez", "--benchmark_filter=BM_RemezLowpass/2$",
         "--benchmark_format=json", f"--benchmark_repetitions={REPEATS}"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[runs[0]["time_unit"]]
    return min(b["real_time"] for b in runs) * unit, min(b["cpu_time"] for b in runs) * unit


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    py, cpp = [], []
    for _ in range(ROUNDS):
        py.append(python_seconds())
        cpp.append(cpp_seconds(build))
        print(f"  round: Python {py[-1][0] * 1e3:.3f} ms wall {py[-1][1] * 1e3:.3f} ms CPU, "
              f"C++ {cpp[-1][0] * 1e3:.3f} ms wall {cpp[-1][1] * 1e3:.3f} ms CPU", flush=True)
    for i, what in enumerate(["wall", "CPU"]):
        p, c = min(t[i] for t in py), min(t[i] for t in cpp)
        print(f"{TAPS}-tap remez, {what} time: Python {p * 1e3:.3f} ms, C++ {c * 1e3:.3f} ms, "
              f"overhead {100.0 * (p - c) / c:+.1f} %")


if __name__ == "__main__":
    main()
