"""remez_design's record, the design methods through design() against the command line, the
tap estimate, the fewest-taps search, quantization, minimum phase, and every refusal."""

import numpy as np
import pytest
import scipy.signal

import corvifir


@pytest.mark.parametrize(
    "numtaps, bands, desired, weight, kind",
    [
        (101, [0, 0.2, 0.25, 0.5], [1, 0], [1, 10], "bandpass"),
        (73, [0, 0.1, 0.15, 0.3, 0.35, 0.5], [0, 1, 0], [10, 1, 10], "bandpass"),
        (31, [0.05, 0.45], [1], None, "hilbert"),
    ],
)
def test_remez_design_reports_the_exchange(numtaps, bands, desired, weight, kind):
    d = corvifir.remez_design(numtaps, bands, desired, weight=weight, type=kind, engine="classic")
    expected = scipy.signal.remez(numtaps, bands, desired, weight=weight, type=kind)
    assert np.max(np.abs(d.taps - expected)) < 5e-14
    assert d.engine == "classic" and d.iterations >= 1
    # the reference set: one more extremal than the cosine polynomial has coefficients, in bands
    symmetric = kind == "bandpass"
    assert len(d.extremal_frequencies) == (numtaps + 1) // 2 + (1 if symmetric else 0)
    edges = np.reshape(bands, (-1, 2))
    assert all(any(lo - 1e-12 <= f <= hi + 1e-12 for lo, hi in edges) for f in d.extremal_frequencies)
    # equiripple: each band's weighted error reaches the levelled deviation at its extremals and
    # exceeds it between grid points by a few percent at most, so margins are just below 0 dB
    w = np.ones(len(desired)) if weight is None else np.asarray(weight, float)
    assert d.deviation > 0
    assert np.all(d.band_errors >= d.deviation * (1 - 1e-9))
    assert np.all(d.band_errors < d.deviation * 1.05)
    np.testing.assert_allclose(d.margins, 20 * np.log10(d.deviation / d.band_errors))
    assert np.all((d.margins <= 1e-7) & (d.margins > -0.5))
    # and the errors are what SciPy's response shows on a fine grid
    lo, hi = edges[0]
    _, h = scipy.signal.freqz(d.taps, worN=np.linspace(lo, hi, 40001), fs=1.0)
    measured = np.max(np.abs(np.abs(h) - abs(desired[0]))) * w[0]
    assert measured == pytest.approx(d.band_errors[0], rel=1e-3)


def test_remez_design_in_units_of_fs():
    d = corvifir.remez_design(61, [0, 8000, 10000, 24000], [1, 0], fs=48000)
    assert 0 <= d.extremal_frequencies.min() and d.extremal_frequencies.max() <= 24000
    assert d.extremal_frequencies[-1] == pytest.approx(24000)
    assert np.all(d.margins > -0.3)


def test_margins_tell_a_design_that_is_not_equiripple():
    # a long Hilbert transformer: the classical exchange returns taps whose error is far above
    # its deviation; auto sees that and changes to the long-filter exchange
    classic = corvifir.remez_design(2001, [0.001, 0.499], [1], type="hilbert", engine="classic")
    assert classic.engine == "classic" and classic.margins[0] < -1.0
    auto = corvifir.remez_design(2001, [0.001, 0.499], [1], type="hilbert", engine="auto")
    assert auto.engine == "robust" and auto.margins[0] > -0.1
    assert np.allclose(auto.taps, -auto.taps[::-1], atol=1e-15)
    np.testing.assert_array_equal(
        auto.taps, corvifir.remez(2001, [0.001, 0.499], [1], type="hilbert", engine="auto"))


# Each method with keyword options and the same design as command-line words.
METHODS = [
    (
        "simple-pm",
        dict(fs=48000, type="lowpass", edge1=4000, edge2=6000, ripple=0.5, atten=60),
        "--fs 48000 --type lowpass --edge1 4000 --edge2 6000 --ripple 0.5 --atten 60",
    ),
    (
        "advanced-pm",
        dict(fs=1.0, band=[(0, 0.1, 1, 0.5), (0.15, 0.5, 0, 50)], engine="classic"),
        "--fs 1.0 --band 0 0.1 1 0.5 --band 0.15 0.5 0 50 --engine classic",
    ),
    (
        "windowed-sinc",
        dict(fs=1000, type="bandpass", corner1=100, corner2=200, taps=51, window="kaiser-bessel",
             param=3.5),
        "--fs 1000 --type bandpass --corner1 100 --corner2 200 --taps 51 --window kaiser-bessel "
        "--param 3.5",
    ),
    (
        "raised-cosine",
        dict(fs=8, rolloff=0.35, sps=4, symbols=8, root=True),
        "--fs 8 --rolloff 0.35 --sps 4 --symbols 8 --root",
    ),
    ("lth-band", dict(fs=1, l=4, cutoff=0.1, odd=True), "--fs 1 --l 4 --cutoff 0.1 --odd"),
    ("maxflat", dict(fs=1, center=0.25, taps=31), "--fs 1 --center 0.25 --taps 31"),
    ("cic", dict(stages=3, rate=4, delay=1, no_unity_gain=True),
     "--stages 3 --rate 4 --delay 1 --no-unity-gain"),
]


def cli_coefficients(cli, method, words):
    done = cli("design", method, *words.split())
    return np.array([float(line) for line in done.stdout.split()]), done


@pytest.mark.parametrize("method, options, words", METHODS)
def test_design_is_the_command_lines_design(cli, method, options, words):
    project = corvifir.design(method, **options)
    expected, done = cli_coefficients(cli, method, words)
    assert project.coefficients.dtype == np.float64
    np.testing.assert_allclose(project.coefficients, expected, rtol=0, atol=1e-15)
    assert project.path is None
    # the design's summary, as the command line prints it
    assert project.messages.strip() == done.stderr.strip()
    spec = project.specification
    assert spec["coefficientCount"] == len(expected)
    assert spec["margin"] is None or (spec["margin"] >= 0) == (done.returncode == 0)


def test_design_methods_are_the_command_lines():
    assert corvifir.design_methods() == [m for m, _, _ in METHODS]


LOWPASS = dict(fs=48000, type="lowpass", edge1=4000, edge2=6000, ripple=0.5, atten=60)


def test_estimate_and_fewest_taps():
    estimate = corvifir.estimate_taps("simple-pm", **LOWPASS)
    best = corvifir.optimize("simple-pm", **LOWPASS)
    n = len(best.coefficients)
    assert best.specification["margin"] >= 0
    assert abs(n - estimate) < 0.2 * estimate
    # fewest: two taps fewer (same parity) no longer meet the specification
    fewer = corvifir.design("simple-pm", taps=n - 2, **LOWPASS)
    assert fewer.specification["margin"] < 0


def test_quantize_each_algorithm():
    bits = 14
    exact = corvifir.design("simple-pm", **LOWPASS)
    margins = {}
    for algorithm in ["round-multiple", "round", "symmetric-search", "asymmetric-search"]:
        project = corvifir.quantize("simple-pm", bits, algorithm=algorithm, **LOWPASS)
        h = project.coefficients
        # bits-bit fractions, the search may drop end taps that became zero
        assert np.array_equal(h * 2 ** (bits - 1), np.round(h * 2 ** (bits - 1))), algorithm
        assert 0 < len(h) <= len(exact.coefficients)
        assert f"quantized: {bits} bits" in project.messages
        margins[algorithm] = project.specification["margin"]
    # quantization costs margin; the searches lose less of it than plain rounding
    assert margins["round"] < exact.specification["margin"]
    assert margins["symmetric-search"] >= margins["round"]
    assert margins["asymmetric-search"] >= margins["round"]


def test_min_phase_keeps_the_magnitude_and_moves_zeros_inside():
    linear = corvifir.design("simple-pm", **LOWPASS).coefficients
    minimum = corvifir.min_phase("simple-pm", max_db_error=0.1, **LOWPASS).coefficients
    _, h_lin = scipy.signal.freqz(linear, worN=4096)
    _, h_min = scipy.signal.freqz(minimum, worN=4096)
    passband = np.arange(4096) < 4096 * 4000 / 24000
    db = lambda h: 20 * np.log10(np.abs(h))
    assert np.max(np.abs(db(h_min[passband]) - db(h_lin[passband]))) < 0.1
    # energy comes first: the minimum-phase filter's partial energy leads the linear-phase one's
    assert np.all(np.cumsum(minimum**2)[:20] >= np.cumsum(linear**2)[:20] - 1e-12)


# Refusals: the options and the command-line words of the same call.
REFUSALS = [
    ("simple-pm", dict(type="lowpass", edge1=1, edge2=2, ripple=1, atten=60),
     "--type lowpass --edge1 1 --edge2 2 --ripple 1 --atten 60"),
    ("simple-pm", dict(LOWPASS, odd=True, even=True),
     "--fs 48000 --type lowpass --edge1 4000 --edge2 6000 --ripple 0.5 --atten 60 --odd --even"),
    ("simple-pm", dict(LOWPASS, edge1=6000, edge2=4000),
     "--fs 48000 --type lowpass --edge1 6000 --edge2 4000 --ripple 0.5 --atten 60"),
    ("advanced-pm", dict(fs=1), "--fs 1"),
    ("advanced-pm", dict(fs=1, band=[(0, 0.1, 1)]), "--fs 1 --band 0 0.1 1"),
    ("windowed-sinc", dict(fs=1000, type="lowpass", corner1=600, taps=51),
     "--fs 1000 --type lowpass --corner1 600 --taps 51"),
    ("cic", dict(stages=0, rate=4, delay=1), "--stages 0 --rate 4 --delay 1"),
    ("simple-pm", dict(LOWPASS, taps=2_000_000), "--fs 48000 --type lowpass --edge1 4000 "
     "--edge2 6000 --ripple 0.5 --atten 60 --taps 2000000"),
    ("notch", dict(fs=1), "--fs 1"),
    ("simple-pm", dict(LOWPASS, sampling_rate=48000), "--fs 48000 --type lowpass --edge1 4000 "
     "--edge2 6000 --ripple 0.5 --atten 60 --sampling-rate 48000"),
]


@pytest.mark.parametrize("method, options, words", REFUSALS)
def test_refusals_raise_value_error_with_the_programs_message(cli, method, options, words):
    done = cli("design", method, *words.split(), check=False)
    assert done.returncode == 2
    message = "\n".join(l for l in done.stderr.splitlines() if not l.startswith("Try '"))
    with pytest.raises(ValueError) as refused:
        corvifir.design(method, **options)
    assert str(refused.value) == message


def test_output_options_are_refused():
    for option in ("project", "output"):
        with pytest.raises(ValueError, match="returns the project"):
            corvifir.design("simple-pm", **{option: "x.cfp"}, **LOWPASS)
