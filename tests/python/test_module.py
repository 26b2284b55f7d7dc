"""The corvifir module against SciPy, its refusals, and cancelling a design with Ctrl+C."""

import os
import signal
import subprocess
import sys
import time

import numpy as np
import pytest
import scipy.signal

import corvifir

# Designs on which SciPy's exchange converges: (numtaps, bands, desired, weight, type).
REMEZ_CASES = [
    (101, [0, 0.2, 0.25, 0.5], [1, 0], None, "bandpass"),
    (64, [0, 0.2, 0.25, 0.5], [1, 0], [1, 10], "bandpass"),
    (73, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0], [10, 1, 10], "bandpass"),
    (31, [0.05, 0.45], [1], None, "hilbert"),
    (32, [0, 0.45], [1], None, "differentiator"),
    (255, [0, 0.1, 0.12, 0.5], [1, 0], [1, 3], "bandpass"),
]


@pytest.mark.parametrize("numtaps, bands, desired, weight, kind", REMEZ_CASES)
@pytest.mark.parametrize("engine", ["classic", "auto"])
def test_remez_matches_scipy(numtaps, bands, desired, weight, kind, engine):
    expected = scipy.signal.remez(numtaps, bands, desired, weight=weight, type=kind)
    taps = corvifir.remez(numtaps, bands, desired, weight=weight, type=kind, engine=engine)
    assert taps.shape == (numtaps,)
    assert np.max(np.abs(taps - expected)) < 5e-14


def test_remez_band_edges_in_units_of_fs():
    expected = scipy.signal.remez(61, [0, 8000, 10000, 24000], [1, 0], fs=48000)
    taps = corvifir.remez(61, [0, 8000, 10000, 24000], [1, 0], fs=48000)
    assert np.max(np.abs(taps - expected)) < 5e-14


def test_long_lowpass_is_equiripple_with_auto_engine():
    taps = corvifir.remez(16001, [0, 0.1, 0.1004, 0.5], [1, 0], engine="auto")
    assert np.allclose(taps, taps[::-1], rtol=0, atol=1e-15)
    f = np.concatenate([np.linspace(0, 0.1, 4001), np.linspace(0.1004, 0.5, 16001)])
    _, h = corvifir.freqz(taps, worN=f, fs=1.0)
    error = np.abs(np.abs(h) - (f <= 0.1))
    passband, stopband = error[f <= 0.1].max(), error[f > 0.1].max()
    # equal weights: equal ripple in both bands, and small for such a length
    assert passband < 1e-5
    assert abs(passband - stopband) / passband < 0.02


RESPONSE_FILTERS = [
    ([0.25, 0.5, 0.25], [1.0]),
    (scipy.signal.remez(63, [0, 0.2, 0.3, 0.5], [1, 0]), [1.0]),
    ([0.2, -0.1, 0.4, 0.05], [1.0, -0.5, 0.1]),
]


# SciPy warns where the long filter's zeros make the delay singular; those points are left out
@pytest.mark.filterwarnings("ignore::UserWarning", "ignore::RuntimeWarning")
@pytest.mark.parametrize("b, a", RESPONSE_FILTERS)
@pytest.mark.parametrize(
    "worN, whole, fs",
    [(512, False, 2 * np.pi), (300, True, 2 * np.pi), (np.array([0.0, 0.1, 0.37, 0.5]), False, 1.0)],
)
def test_freqz_and_group_delay_match_scipy(b, a, worN, whole, fs):
    w_ref, h_ref = scipy.signal.freqz(b, a, worN=worN, whole=whole, fs=fs)
    w, h = corvifir.freqz(b, a, worN=worN, whole=whole, fs=fs)
    assert np.max(np.abs(w - w_ref)) < 1e-12
    assert np.max(np.abs(h - h_ref)) < 1e-12
    w_ref, gd_ref = scipy.signal.group_delay((b, a), w=worN, whole=whole, fs=fs)
    w, gd = corvifir.group_delay((b, a), w=worN, whole=whole, fs=fs)
    assert np.max(np.abs(w - w_ref)) < 1e-12
    # at a zero on the unit circle the delay is ill-conditioned for any method: compare elsewhere
    regular = np.abs(h) > 1e-3
    assert np.max(np.abs(gd - gd_ref)[regular]) < 1e-12


@pytest.mark.parametrize(
    "name, parameter, reference",
    [
        ("hamming", 0.0, ("hamming",)),
        ("hanning", 0.0, ("hann",)),
        ("kaiser-bessel", 2.0, ("kaiser", 2.0 * np.pi)),
    ],
)
def test_windows_match_scipy_in_shape(name, parameter, reference):
    ours = corvifir.window(name, 65, parameter)
    theirs = scipy.signal.get_window(reference, 65, fftbins=False)
    # the catalogue scales its windows its own way; the shape is the same
    assert np.max(np.abs(ours / ours.max() - theirs / theirs.max())) < 1e-3


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda: corvifir.remez(31, [0, 0.2, 0.3], [1, 0]), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, 0.5], [1]), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, 0.5], [1, 0], weight=[1]), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, 0.5], [1, 0], type="notch"), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, 0.5], [1, 0], engine="fast"), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, 0.5], [1, 0], fs=0), ValueError),
        (lambda: corvifir.remez(2, [0, 0.2, 0.3, 0.5], [1, 0]), ValueError),
        (lambda: corvifir.remez(31, [0, 0.2, 0.3, np.nan], [1, 0]), ValueError),
        (lambda: corvifir.window("rectangular", 16), ValueError),
        (lambda: corvifir.window("hamming", 0), ValueError),
        (lambda: corvifir.freqz([1.0], worN=0), ValueError),
        (lambda: corvifir.group_delay(([1.0],), w=8), ValueError),
    ],
)
def test_refusals_raise_value_error(call, error):
    with pytest.raises(error):
        call()


# Prints when the design starts and, on KeyboardInterrupt, the clock (CLOCK_MONOTONIC, the same in
# every process) and how long the design had run, so that interpreter start-up and exit under load
# do not count.
CANCELLED_DESIGN = """
import sys, time, corvifir
start = None
try:
    print("designing", flush=True)
    start = time.monotonic()
    {call}
except KeyboardInterrupt:
    now = time.monotonic()
    print("cancelled", now, now - start if start else 0.0, flush=True)
    sys.exit(3)
"""


def cancel_after(call, seconds):
    """Sends SIGINT to a design after it ran for about `seconds`; (stopped at, ran for, sent at)."""
    process = subprocess.Popen(
        [sys.executable, "-c", CANCELLED_DESIGN.format(call=call)],
        stdout=subprocess.PIPE,
        text=True,
        env=os.environ,
    )
    assert process.stdout.readline().strip() == "designing"
    time.sleep(seconds)
    assert process.poll() is None, "the design finished before it could be cancelled"
    sent = time.monotonic()
    process.send_signal(signal.SIGINT)
    assert process.wait(timeout=10) == 3
    word, stopped, ran = process.stdout.read().split()
    assert word == "cancelled"
    return float(stopped), float(ran), sent


@pytest.mark.parametrize(
    "call",
    [
        'corvifir.remez(16001, [0, 0.1, 0.1001, 0.5], [1, 0], engine="classic")',
        'corvifir.remez_design(16001, [0, 0.1, 0.1001, 0.5], [1, 0], engine="classic")',
        'corvifir.design("advanced-pm", fs=1, band=[(0, 0.1, 1, 0.1), (0.1001, 0.5, 0, 100)], '
        'taps=16001, engine="classic")',
    ],
)
def test_ctrl_c_cancels_a_long_design(call):
    for _ in range(3):
        stopped, ran, sent = cancel_after(call, 0.3)
        if ran > 0.1:  # the signal came while the design ran (not before it started)
            break
    assert ran > 0.1
    assert stopped - sent < 0.5


def test_every_public_name_has_a_docstring_and_a_stub():
    import ast
    import pathlib

    stub_path = pathlib.Path(corvifir.__file__).resolve().parent / "corvifir.pyi"
    stub = ast.parse(stub_path.read_text())
    stubbed = {node.name: node for node in stub.body if hasattr(node, "name")}
    for name in (n for n in dir(corvifir) if not n.startswith("_")):
        member = getattr(corvifir, name)
        assert name in stubbed, f"{name} has no stub"
        assert (member.__doc__ or "").strip(), f"{name} has no docstring"
        if isinstance(member, type):
            methods = {n.name for n in stubbed[name].body if hasattr(n, "name")}
            for attr in (a for a in vars(member) if not a.startswith("_")):
                assert attr in methods, f"{name}.{attr} has no stub"
                assert (getattr(member, attr).__doc__ or "").strip(), f"{name}.{attr}: no docstring"


def test_readme_example_runs(tmp_path, monkeypatch):
    import pathlib
    import re
    import types

    readme = (pathlib.Path(__file__).resolve().parents[2] / "README.md").read_text()
    section = readme[readme.index("## Python") :]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    # matplotlib is not a dependency of the build: its calls do nothing here
    pyplot = types.ModuleType("matplotlib.pyplot")
    pyplot.__getattr__ = lambda name: (lambda *args, **kwargs: None)
    matplotlib = types.ModuleType("matplotlib")
    matplotlib.pyplot = pyplot
    monkeypatch.setitem(sys.modules, "matplotlib", matplotlib)
    monkeypatch.setitem(sys.modules, "matplotlib.pyplot", pyplot)
    monkeypatch.chdir(tmp_path)
    exec(compile(code, "README.md", "exec"), {})
    assert (tmp_path / "lowpass.cfp").exists() and (tmp_path / "lowpass.h").exists()
