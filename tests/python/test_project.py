"""Projects: read and written back byte for byte, their coefficients and specification as the
command line shows them, run commands with undo, export, the safe save, and refusals."""

import json

import numpy as np
import pytest

import corvifir

LOWPASS_WORDS = ["--fs", "48000", "--type", "lowpass", "--edge1", "4000", "--edge2", "6000",
                 "--ripple", "0.5", "--atten", "60"]

# Projects the program writes, one per kind of design the command line makes.
WRITTEN = {
    "simple-pm": LOWPASS_WORDS,
    "advanced-pm": ["--fs", "1", "--band", "0", "0.1", "1", "0.5", "--band", "0.15", "0.5", "0",
                    "50", "--response", "filter"],
    "windowed-sinc": ["--fs", "1000", "--type", "lowpass", "--corner1", "100", "--taps", "41",
                      "--window", "hamming"],
    "raised-cosine": ["--fs", "8", "--rolloff", "0.25", "--sps", "4", "--symbols", "6"],
    "lth-band": ["--fs", "1", "--l", "3", "--cutoff", "0.1"],
    "maxflat": ["--fs", "1", "--center", "0.2", "--taps", "25"],
    "cic": ["--stages", "2", "--rate", "5", "--delay", "1", "--quantize", "12"],
}


@pytest.fixture(scope="module")
def written(cli, tmp_path_factory):
    folder = tmp_path_factory.mktemp("written")
    paths = {}
    for method, words in WRITTEN.items():
        paths[method] = folder / f"{method}.cfp"
        cli("design", method, *words, "-p", paths[method])
    return paths


def project_files(written, data_dir):
    return list(written.values()) + sorted((data_dir / "doc").glob("*.cfp"))


def test_projects_are_written_back_byte_identical(written, data_dir, tmp_path):
    for path in project_files(written, data_dir):
        project = corvifir.Project.open(str(path))
        assert project.path == str(path) and not project.modified
        copy = tmp_path / path.name
        project.save(str(copy))
        assert copy.read_bytes() == path.read_bytes(), path.name
        assert project.path == str(copy)


def test_project_shows_what_the_command_line_shows(cli, written, data_dir):
    for path in project_files(written, data_dir):
        project = corvifir.Project.open(str(path))
        shown = json.loads(cli("show", path, "--json").stdout)
        coefficients = shown.pop("coefficients")
        h = project.coefficients
        assert h.dtype == (np.float64 if shown["real"] else np.complex128)
        np.testing.assert_array_equal(h.real, coefficients["i"])
        if not shown["real"]:
            np.testing.assert_array_equal(h.imag, coefficients["q"])
        assert project.specification == shown
        assert project.summary() == cli("show", path).stdout
        assert project.fs == pytest.approx(
            shown["fs"] * {"Hz": 1, "kHz": 1e3, "MHz": 1e6, "GHz": 1e9}[shown["fsUnit"]])
    assert corvifir.Project.open(str(data_dir / "doc" / "complex_import.cfp")).coefficients.dtype \
        == np.complex128


def test_run_commands_as_the_command_line_runs_them(cli, written, tmp_path):
    source = written["simple-pm"]
    commands = ["window inphase --type hamming", "scale inphase --method max --value 1 --linear"]
    project = corvifir.Project.open(str(source))
    before = project.coefficients
    project.run(*commands)
    cli("run", source, *commands, "-o", tmp_path / "cli.cfp")
    np.testing.assert_array_equal(
        project.coefficients, corvifir.Project.open(str(tmp_path / "cli.cfp")).coefficients)
    assert project.modified and project.undo_depth == 2
    project.undo()
    project.undo()
    np.testing.assert_array_equal(project.coefficients, before)
    project.redo()
    assert project.undo_depth == 1 and project.redo_depth == 1


def test_design_and_optimize_of_a_project(written):
    project = corvifir.Project.open(str(written["simple-pm"]))
    assert project.specification["margin"] < 0  # the estimate's count misses it
    project.optimize()
    assert project.specification["margin"] >= 0
    project.design()
    assert project.estimate_taps() > 0


def test_new_project_then_commands():
    project = corvifir.Project.new("windowed-sinc")
    assert project.path is None and len(project.coefficients) == 0
    project.run("fill-constant inphase --taps 8 --one-over-n")
    np.testing.assert_allclose(project.coefficients, np.full(8, 1 / 8))
    with pytest.raises(ValueError, match="unknown design method"):
        corvifir.Project.new("notch")


def test_export_writes_what_the_command_line_writes(cli, written, tmp_path):
    source = written["simple-pm"]
    project = corvifir.Project.open(str(source))
    for fmt, options, words in [
        ("Text:Decimal", {}, []),
        ("Text:Hex", {"bits": 16}, ["--bits", "16"]),
    ]:
        ours, theirs = tmp_path / f"ours {fmt[5:]}.txt", tmp_path / f"theirs{fmt[5:]}.txt"
        project.export(str(ours), fmt, **options)
        cli("export", source, "--format", fmt, "-o", theirs, *words)
        assert ours.read_bytes() == theirs.read_bytes(), fmt


def test_refusals_and_failures(written, tmp_path):
    project = corvifir.Project.open(str(written["simple-pm"]))
    before = project.coefficients
    with pytest.raises(ValueError, match="unknown command 'sharpen'"):
        project.run("scale inphase --method max", "sharpen")
    with pytest.raises(ValueError, match="Unknown data file format"):
        project.export(str(tmp_path / "x.txt"), "Text:Nothing")
    with pytest.raises(ValueError, match="cannot be written"):
        project.export(str(tmp_path / "x.txt"), "Text:Analyzer")
    # nothing ran: every command is read before any runs
    np.testing.assert_array_equal(project.coefficients, before)
    assert project.undo_depth == 0
    # a command that reports an error stops the run: the commands after it do not run
    with pytest.raises(RuntimeError, match="quantization bits must be between 1 and 62") as failed:
        project.run("quantize inphase --bits 0", "reverse")
    assert '"quantize inphase --bits 0" failed.' in str(failed.value)
    with pytest.raises(RuntimeError, match='Cannot open file ".*missing.cfp"'):
        project.run(f"convolve '{tmp_path / 'missing.cfp'}'")
    np.testing.assert_array_equal(project.coefficients, before)
    with pytest.raises(RuntimeError):
        corvifir.Project.open(str(tmp_path / "missing.cfp"))
    with pytest.raises(ValueError, match="no file yet"):
        corvifir.Project.new("simple-pm").save()


def test_failed_save_raises_and_changes_nothing(written, tmp_path):
    project = corvifir.Project.open(str(written["simple-pm"]))
    folder = tmp_path / "folder.cfp"
    folder.mkdir()
    for target in [tmp_path / "missing" / "x.cfp", folder]:
        with pytest.raises(RuntimeError):
            project.save(str(target))
        assert project.path == str(written["simple-pm"])
    assert folder.is_dir() and not any(folder.iterdir())
    assert not (tmp_path / "missing").exists()


def test_threads_design_and_run_projects_at_once(written):
    """Designs and commands take turns in the core: the results are the serial ones, and Ctrl+C
    still reaches Python afterwards (each design's job lends SIGINT to the command line's
    handler and gives it back)."""
    import os
    import signal
    import time
    from concurrent.futures import ThreadPoolExecutor

    lowpass = dict(fs=48000, type="lowpass", edge1=4000, edge2=6000, ripple=0.5, atten=60)

    def work(k):
        project = corvifir.design("simple-pm", taps=41 + 2 * (k % 3), **lowpass)
        project.run("window inphase --type hamming")
        opened = corvifir.Project.open(str(written["cic"]))
        opened.run("reverse")
        taps = corvifir.remez(61 + 2 * (k % 3), [0, 0.2, 0.25, 0.5], [1, 0])
        return project.coefficients, opened.coefficients, taps

    serial = [work(k) for k in range(3)]
    with ThreadPoolExecutor(6) as pool:
        parallel = list(pool.map(work, range(24)))
    for k, result in enumerate(parallel):
        for ours, expected in zip(result, serial[k % 3]):
            np.testing.assert_array_equal(ours, expected)
    with pytest.raises(KeyboardInterrupt):
        os.kill(os.getpid(), signal.SIGINT)
        time.sleep(1.0)
