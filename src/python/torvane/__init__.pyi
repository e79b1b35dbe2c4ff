# Type hints of the torvane package. Every quantity is in SI units (Pa, K, m, kg/s, m3/s, N/m,
# N s/m; rotor speeds in rpm); numbers broadcast as numpy arrays do.
from os import PathLike
from typing import Literal, Sequence, Union

import numpy as np
import numpy.typing as npt

__version__: str

ArrayLike = npt.ArrayLike
FloatArray = Union[npt.NDArray[np.float64], float]
BoolArray = Union[npt.NDArray[np.bool_], bool]
TextArray = Union[npt.NDArray[np.object_], npt.NDArray[np.str_], str]

class GasError(ValueError): ...
class FileError(OSError): ...

class Gas:
    def __init__(self, gas: Union[str, dict[str, float]]) -> None: ...
    @classmethod
    def from_file(cls, path: Union[str, PathLike[str]], section: int = 0) -> Gas: ...
    @property
    def molar_mass(self) -> float: ...
    @property
    def pseudo_critical_temperature(self) -> float: ...
    @property
    def pseudo_critical_pressure(self) -> float: ...
    @property
    def components(self) -> list[tuple[str, float]]: ...
    def z(self, p: ArrayLike, T: ArrayLike) -> FloatArray: ...
    def saturation_temperature(self, p: ArrayLike) -> FloatArray: ...
    def ideal_gas_gamma(self, T: float) -> float: ...
    def properties(self, p: ArrayLike, T: ArrayLike) -> dict[str, Union[FloatArray, BoolArray]]: ...

class Labyrinth:
    kind: Literal["stepped", "straight"]
    diameter: float
    clearance: FloatArray
    spacing: float
    thickness: float
    teeth: float
    tooth_height: Union[float, None]
    teeth_on: Literal["stator", "rotor"]
    flow_coefficient: float
    def __init__(
        self,
        kind: Literal["stepped", "straight"],
        diameter: float,
        clearance: ArrayLike,
        spacing: float,
        thickness: float,
        teeth: float,
        tooth_height: Union[float, None] = None,
        teeth_on: Literal["stator", "rotor"] = "stator",
        flow_coefficient: float = 0.67,
    ) -> None: ...

class LeakageResult:
    method: str
    mass_flow: FloatArray
    standard_flow: FloatArray
    inlet_flow: FloatArray
    exhaust_flow: FloatArray
    choked: BoolArray
    status: TextArray
    message: TextArray
    warnings: Union[npt.NDArray[np.object_], tuple[str, ...]]
    @property
    def ok(self) -> BoolArray: ...

def leakage(
    gas: Gas,
    seal: Labyrinth,
    p_up: ArrayLike,
    p_down: ArrayLike,
    T_up: ArrayLike,
    method: Literal["correlation", "martin", "vermes", "tooth-by-tooth"] = "correlation",
    gamma: Union[float, None] = None,
    real_gas: bool = False,
) -> LeakageResult: ...

class DynamicsResult:
    speed: FloatArray
    kxx: FloatArray
    kxy: FloatArray
    kyx: FloatArray
    kyy: FloatArray
    cxx: FloatArray
    cxy: FloatArray
    cyx: FloatArray
    cyy: FloatArray
    effective_stiffness: FloatArray
    effective_damping: FloatArray
    whirl_frequency_ratio: FloatArray
    whirl_frequency: FloatArray
    surface_speed: FloatArray
    status: TextArray
    message: TextArray
    leakage_mass_flow: FloatArray
    choked: BoolArray
    leakage_status: TextArray
    leakage_message: TextArray
    cavity_pressure: npt.NDArray[np.float64]
    cavity_temperature: npt.NDArray[np.float64]
    swirl: npt.NDArray[np.float64]
    swirl_ratio: npt.NDArray[np.float64]
    shear_rotor: npt.NDArray[np.float64]
    shear_stator: npt.NDArray[np.float64]
    cavity_viscosity: npt.NDArray[np.float64]
    @property
    def ok(self) -> BoolArray: ...
    def to_ross(self) -> dict[str, npt.NDArray[np.float64]]: ...

def dynamics(
    gas: Gas,
    seal: Labyrinth,
    p_up: ArrayLike,
    p_down: ArrayLike,
    T_up: ArrayLike,
    speeds: ArrayLike,
    preswirl: float = 0.5,
    whirl_ratio: float = 1.0,
    viscosity: Union[float, Sequence[tuple[float, float]], None] = None,
    gamma: Union[float, None] = None,
    real_gas: bool = False,
    jenny_kanki: bool = False,
) -> DynamicsResult: ...
