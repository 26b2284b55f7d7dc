"""CorviFIR: equiripple and other FIR filter designs, responses, windows and projects, from the
program's own design core."""

from typing import Any, Literal, Sequence

import numpy as np
import numpy.typing as npt

ArrayLike = npt.ArrayLike | Sequence[float]
Option = float | int | str | bool | None | Sequence[float | int | str] | Sequence[Sequence[float]]

def remez(
    numtaps: int,
    bands: ArrayLike,
    desired: ArrayLike,
    *,
    weight: ArrayLike | None = ...,
    type: Literal["bandpass", "differentiator", "hilbert"] = ...,
    maxiter: int = ...,
    grid_density: int = ...,
    fs: float | None = ...,
    engine: Literal["auto", "classic", "robust"] = ...,
) -> npt.NDArray[np.float64]:
    """Equiripple design with scipy.signal.remez's signature; engine chooses the exchange."""

class RemezDesign:
    """The outcome of remez_design(): a successful equiripple design."""

    @property
    def taps(self) -> npt.NDArray[np.float64]:
        """The coefficients."""
    @property
    def deviation(self) -> float:
        """The weighted deviation the exchange levelled (linear)."""
    @property
    def extremal_frequencies(self) -> npt.NDArray[np.float64]:
        """The final extremal set, ascending, in the units of fs."""
    @property
    def iterations(self) -> int:
        """Exchange passes run."""
    @property
    def engine(self) -> Literal["classic", "robust"]:
        """The exchange whose result this is."""
    @property
    def band_errors(self) -> npt.NDArray[np.float64]:
        """Per band, the largest weighted error found on its edges and a dense grid."""
    @property
    def margins(self) -> npt.NDArray[np.float64]:
        """Per band, 20*log10(deviation / band error) in dB (about 0 when equiripple)."""

def remez_design(
    numtaps: int,
    bands: ArrayLike,
    desired: ArrayLike,
    *,
    weight: ArrayLike | None = ...,
    type: Literal["bandpass", "differentiator", "hilbert"] = ...,
    grid_density: int = ...,
    fs: float | None = ...,
    engine: Literal["auto", "classic", "robust"] = ...,
) -> RemezDesign:
    """remez() with what the exchange found."""

def freqz(
    b: ArrayLike,
    a: ArrayLike = ...,
    worN: int | ArrayLike = ...,
    whole: bool = ...,
    fs: float = ...,
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.complex128]]:
    """Frequency response with scipy.signal.freqz's signature and result."""

def group_delay(
    system: tuple[ArrayLike, ArrayLike],
    w: int | ArrayLike = ...,
    whole: bool = ...,
    fs: float = ...,
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]:
    """Group delay in samples with scipy.signal.group_delay's signature and result."""

def window(name: str, n: int, parameter: float = ...) -> npt.NDArray[np.float64]:
    """The n weights of a window named as on the command line."""

def window_names() -> list[str]:
    """The window names window() accepts."""

def design_methods() -> list[str]:
    """The design methods design() accepts, as the command line names them."""

def design(method: str, /, **options: Option) -> Project:
    """Designs as `corvifir-cli design METHOD --option value ...` does; a new project."""

def estimate_taps(method: str, /, **options: Option) -> int:
    """The tap count the method estimates for the specification."""

def optimize(method: str, /, **options: Option) -> Project:
    """design() with the search for the fewest taps that meet the specification."""

def quantize(
    method: str,
    bits: int,
    /,
    algorithm: Literal["round-multiple", "round", "symmetric-search", "asymmetric-search"] = ...,
    **options: Option,
) -> Project:
    """design() with the coefficients quantized to bits-bit fractions."""

def min_phase(method: str, /, max_db_error: float | None = ..., **options: Option) -> Project:
    """design() converted to minimum phase."""

class Project:
    """A filter design project (.cfp): coefficients, specification and FIR menu commands."""

    @staticmethod
    def open(path: str) -> Project:
        """Reads a project file."""
    @staticmethod
    def new(method: str) -> Project:
        """A new, empty project of a design method."""
    @property
    def coefficients(self) -> npt.NDArray[np.float64] | npt.NDArray[np.complex128]:
        """The taps: float64 when real, complex128 (I + jQ) when complex."""
    @property
    def fs(self) -> float:
        """The sampling frequency in Hz."""
    @property
    def specification(self) -> dict[str, Any]:
        """The project as show --json gives it, without the coefficients."""
    @property
    def path(self) -> str | None:
        """The project's file, or None before the first save."""
    @property
    def modified(self) -> bool:
        """Whether the project changed since it was read or saved."""
    @property
    def undo_depth(self) -> int:
        """Changes undo() can undo."""
    @property
    def redo_depth(self) -> int:
        """Changes redo() can redo."""
    @property
    def messages(self) -> str:
        """The messages the last operation showed."""
    def run(self, *commands: str, answers: Sequence[str] = ...) -> None:
        """Applies commands of corvifir-cli run in order, as the project's menu does."""
    def design(self) -> None:
        """Designs the project's specification again."""
    def optimize(self) -> None:
        """The search for the fewest taps."""
    def undo(self) -> None:
        """Undoes the last change."""
    def redo(self) -> None:
        """Redoes the last undone change."""
    def estimate_taps(self) -> int:
        """The tap count the method estimates for the project's specification."""
    def export(self, path: str, format: str, **options: Option) -> None:
        """Writes the coefficients as a data file of the format, as run's export does."""
    def save(self, path: str | None = ...) -> None:
        """The program's safe save to path, or to the project's own file."""
    def summary(self) -> str:
        """What corvifir-cli show prints."""
