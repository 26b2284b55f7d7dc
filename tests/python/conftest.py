"""Shared helpers: the command-line program the module is compared with, and the test data."""

import os
import pathlib
import subprocess

import pytest

import corvifir

ROOT = pathlib.Path(__file__).resolve().parents[2]


@pytest.fixture(scope="session")
def cli():
    """Runs corvifir-cli (the build's, beside the module) and returns the completed process."""
    path = os.environ.get("CORVIFIR_CLI") or str(
        pathlib.Path(corvifir.__file__).resolve().parent.parent / "src" / "cli" / "corvifir-cli"
    )

    def run(*args, check=True):
        done = subprocess.run([path, *map(str, args)], capture_output=True, text=True)
        if check and done.returncode not in (0, 3):
            raise AssertionError(f"corvifir-cli {' '.join(map(str, args))}: {done.stderr}")
        return done

    return run


@pytest.fixture(scope="session")
def data_dir():
    return ROOT / "tests" / "data"
