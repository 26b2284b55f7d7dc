#!/usr/bin/env python3
"""Times opening a long Import project with corvifir-cli, side by side with scipy.signal.freqz.

Makes a 16384-tap project (a windowed-sinc lowpass imported from text), then runs as whole
processes, several times each:
  corvifir-cli show P.cfp
  corvifir-cli plot P.cfp --view magnitude --size 2048x800 -o OUT.png   (.plt without Qt)
  python3 -c "scipy.signal.freqz of the same taps at 2048 frequencies"
and prints the median wall-clock time, the median CPU time (user + system; on a shared machine
the steadier figure) and the peak resident size of each. freqz's own time inside its process is
printed too.

The runs of all commands alternate (one run of each in turn), so a change in the machine's load
touches them alike. --baseline OTHER-CLI times another build's show and plot in the same run
(before and after a change), and checks that both draw the same pixels.

Run with Debian's SciPy from the repository root after building:
  PYENV_VERSION=system python3 tools/bench/project_open.py [--cli build/src/cli/corvifir-cli]
      [--baseline OTHER/corvifir-cli] [--taps 16384] [--repeats 15] [--plot-ext png]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np
import scipy.signal as ss

FREQZ = """
import sys, time
import numpy as np
import scipy.signal as ss
h = np.loadtxt(sys.argv[1])
start = time.perf_counter()
w, H = ss.freqz(h, worN=2048)
mag = 20 * np.log10(np.maximum(np.abs(H), 1e-300))
print(time.perf_counter() - start)
"""


def run(command):
    """Wall seconds, CPU seconds and peak resident KiB of one process, and its output."""
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return wall, usage.ru_utime + usage.ru_stime, out


def peak_kib(command):
    """Peak resident KiB of the command alone, from GNU time (a forked child's own maximum
    would count the Python image it was forked from)."""
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return int(report.read().split()[-1])


def measure(commands, repeats):
    """Runs the named commands in turn, repeats times each; prints the medians and returns
    each command's outputs."""
    results = {name: ([], [], []) for name, _ in commands}
    for _ in range(repeats):
        for name, command in commands:
            wall, cpu, out = run(command)
            for values, value in zip(results[name], (wall, cpu, out)):
                values.append(value)
    for name, command in commands:
        walls, cpus, _ = results[name]
        print(f"{name:<54} wall {statistics.median(walls) * 1e3:8.1f} ms   "
              f"cpu {statistics.median(cpus) * 1e3:8.1f} ms   "
              f"peak {peak_kib(command) / 1024:7.1f} MiB")
    return {name: values[2] for name, values in results.items()}


def same_pixels(a, b):
    """Whether two PNG files hold the same pixels: the same header and the same inflated rows
    (both builds write unfiltered rows)."""
    import struct
    import zlib

    def scanlines(path):
        with open(path, "rb") as f:
            data = f.read()
        pos, header, idat = 8, None, b""
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos:pos + 8])
            body = data[pos + 8:pos + 8 + length]
            if kind == b"IHDR":
                header = body
            elif kind == b"IDAT":
                idat += body
            pos += 12 + length
        return header, zlib.decompress(idat)

    return scanlines(a) == scanlines(b)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/cli/corvifir-cli")
    parser.add_argument("--baseline", help="another build's corvifir-cli, timed in the same run")
    parser.add_argument("--taps", type=int, default=16384)
    parser.add_argument("--repeats", type=int, default=15)
    parser.add_argument("--plot-ext", default="png", choices=["png", "plt", "svg"])
    args = parser.parse_args()
    clis = [("", os.path.abspath(args.cli))]
    if args.baseline:
        clis.append((" (baseline)", os.path.abspath(args.baseline)))
    with open("/proc/loadavg") as f:
        print(f"load average: {' '.join(f.read().split()[:3])}")
    with tempfile.TemporaryDirectory() as tmp:
        taps = os.path.join(tmp, "taps.txt")
        project = os.path.join(tmp, "long.cfp")
        np.savetxt(taps, ss.firwin(args.taps, 0.2), fmt="%.17g")
        subprocess.run([clis[0][1], "import", taps, "--format", "Text:Decimal", "-o", project],
                       check=True)
        print(f"{args.taps} taps, {args.repeats} runs each (medians)")
        commands, pictures = [], []
        for suffix, cli in clis:
            commands.append((f"corvifir-cli show{suffix}", [cli, "show", project]))
        for i, (suffix, cli) in enumerate(clis):
            out = os.path.join(tmp, f"magnitude{i}." + args.plot_ext)
            pictures.append(out)
            commands.append((f"corvifir-cli plot magnitude 2048x800 .{args.plot_ext}{suffix}",
                             [cli, "plot", project, "--view", "magnitude", "--size", "2048x800",
                              "-o", out]))
        commands.append(("python3 scipy.signal.freqz 2048 (process)",
                         [sys.executable, "-c", FREQZ, taps]))
        outs = measure(commands, args.repeats)
        inner = statistics.median(float(o) for o in outs[commands[-1][0]])
        print(f"{'  of which freqz and |H| in dB':<54} wall {inner * 1e3:8.1f} ms")
        if args.baseline and args.plot_ext == "png":
            same = same_pixels(pictures[0], pictures[1])
            print(f"pictures of both builds: {'same pixels' if same else 'PIXELS DIFFER'}")


if __name__ == "__main__":
    main()
