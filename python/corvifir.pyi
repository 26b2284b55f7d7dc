"""CorviFIR: equiripple FIR design, responses and windows."""

from typing import Literal, Sequence

import numpy as np
import numpy.typing as npt

ArrayLike = npt.ArrayLike | Sequence[float]

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
) -> npt.NDArray[np.float64]: ...
def freqz(
    b: ArrayLike,
    a: ArrayLike = ...,
    worN: int | ArrayLike = ...,
    whole: bool = ...,
    fs: float = ...,
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.complex128]]: ...
def group_delay(
    system: tuple[ArrayLike, ArrayLike],
    w: int | ArrayLike = ...,
    whole: bool = ...,
    fs: float = ...,
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]: ...
def window(name: str, n: int, parameter: float = ...) -> npt.NDArray[np.float64]: ...
def window_names() -> list[str]: ...
