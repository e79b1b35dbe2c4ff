"""Torvane from Python: the gas, the leakage and the rotordynamic coefficients of labyrinth
shaft seals, computed by the program's own libraries on numpy arrays.

Every quantity is in SI units: Pa, K, m, kg/s, m3/s, N/m and N s/m; rotor speeds in rpm. The
calculations run exactly as ``torvane-cli`` runs them in its English units (in, psia, deg F,
lb/min), which SI reaches by exact factors; so the messages of a point (range checks, stops,
warnings) are the program's texts in those units.

Arrays broadcast as numpy broadcasts them. A point that cannot be calculated has its status and
message, and NaN in its numbers: the one place where NaN is an answer, as numpy users expect.
Errors that a whole call cannot answer raise GasError, FileError or ValueError.
"""

import warnings as _warnings

import numpy as _np

from . import _torvane
from ._torvane import FileError, GasError

__version__ = _torvane.__version__

__all__ = [
    "DynamicsResult",
    "FileError",
    "Gas",
    "GasError",
    "Labyrinth",
    "LeakageResult",
    "dynamics",
    "leakage",
]

_MAX_Z_ITERATIONS = "Max 'Z' iterations, output data may not be reliable"
_LEAKAGE_STATUS = _np.array(["ok", "range", "stop", "error"])


def _floats(*values):
    """The values as float arrays broadcast to one shape, and that shape."""
    arrays = _np.broadcast_arrays(*(_np.asarray(v, dtype=_np.float64) for v in values))
    shape = arrays[0].shape
    return [_np.ascontiguousarray(a).reshape(-1) for a in arrays], shape


def _shaped(array, shape):
    """An array of the call's shape; a 0-d result is returned as a numpy scalar."""
    out = array.reshape(shape + array.shape[1:])
    return out[()] if out.ndim == 0 else out


def _texts(table, index, shape):
    """An object array of the texts of table at index."""
    cells = _np.empty(len(table), dtype=object)
    for k, text in enumerate(table):
        cells[k] = text
    return _shaped(cells[index], shape)


def _gamma(gamma):
    if gamma is None:
        return None
    value = float(gamma)
    if not value > 1:
        raise ValueError(f"gamma: {gamma} is not above 1")
    return value


class Gas:
    """A gas mixture of the program's component library, characterised as the program does.

    ``Gas("CH4:0.9,C2H6:0.1")`` takes a gas list as ``torvane-cli --gas`` does;
    ``Gas({"CH4": 0.9, "C2H6": 0.1})`` takes codes with their mole fractions. Codes are the
    library's, exactly as spelled; fractions are used as given. A code not in the library,
    fractions that are not numbers or more than 30 components raise GasError.
    """

    def __init__(self, gas):
        if not isinstance(gas, (str, dict)):
            raise TypeError("Gas takes a gas list 'CODE:FRACTION,...' or a dict {code: fraction}")
        self._gas = _torvane._Gas(gas)

    @classmethod
    def from_file(cls, path, section=0):
        """Gas section ``section`` (0, 1 or 2) of a gas file or a settings file (".trv").

        A file that cannot be read raises FileError; a section the file does not have,
        ValueError.
        """
        gas = cls.__new__(cls)
        gas._gas = _torvane._Gas.from_file(str(path), int(section))
        return gas

    @property
    def molar_mass(self):
        """Molar mass, kg/mol."""
        return self._gas.molar_mass

    @property
    def pseudo_critical_temperature(self):
        """Pseudo-critical temperature of the mixture, K."""
        return self._gas.pseudo_critical_temperature

    @property
    def pseudo_critical_pressure(self):
        """Pseudo-critical pressure of the mixture, Pa."""
        return self._gas.pseudo_critical_pressure

    @property
    def components(self):
        """The (code, mole fraction) pairs, in order."""
        return list(self._gas.components)

    def __repr__(self):
        text = ",".join(f"{code}:{fraction!r}" for code, fraction in self.components)
        return f"torvane.Gas({text!r})"

    def z(self, p, T):
        """The compressibility factor Z at pressure p (Pa) and temperature T (K), broadcast.

        Below 200 deg R (111.1 K) the equation of state works at 200 deg R. Where its solver
        gives up, Z is that of its last step and a RuntimeWarning says "Max 'Z' iterations,
        output data may not be reliable". A state it cannot work is NaN.
        """
        (pf, tf), shape = _floats(p, T)
        z, unreliable = _torvane._z(self._gas, pf, tf)
        if unreliable:
            _warnings.warn(_MAX_Z_ITERATIONS, RuntimeWarning, stacklevel=2)
        return _shaped(z, shape)

    def saturation_temperature(self, p):
        """The saturation (dew) temperature estimate at pressure p (Pa), in K, broadcast."""
        (pf,), shape = _floats(p)
        return _shaped(_torvane._saturation_temperature(self._gas, pf), shape)

    def ideal_gas_gamma(self, T):
        """cp0/cv0 of the ideal gas at temperature T (K): the default gamma of the methods."""
        return _torvane._ideal_gas_gamma(self._gas, float(T))

    def properties(self, p, T):
        """The caloric properties at pressure p (Pa) and temperature T (K), broadcast.

        A dict of arrays: "z" (of the exact density root), "z_solver", "molar_mass" (kg/mol),
        "density" (kg/m3), "specific_volume" (m3/kg), "cp" and "cv" (J/(kg K)), "cp_molar"
        (J/(mol K)), "gamma" (cp/cv), "kappa" (isentropic exponent), "speed_of_sound" (m/s),
        "joule_thomson" (K/Pa), "enthalpy" (J/kg) and "entropy" (J/(kg K)) referred to the
        ideal gas at 298.15 K and 1 atm, "viscosity" (Pa s, the gas's own law), "temperature"
        (K, the one worked: at least 200 deg R), and the flags "ideal_fallback" (the solver fell
        back to Z = 1: the ideal gas's properties) and "temperature_raised". A state that cannot
        be worked is NaN.
        """
        (pf, tf), shape = _floats(p, T)
        raw = _torvane._properties(self._gas, pf, tf)
        if raw.pop("unreliable").any():
            _warnings.warn(_MAX_Z_ITERATIONS, RuntimeWarning, stacklevel=2)
        return {key: _shaped(value, shape) for key, value in raw.items()}


class Labyrinth:
    """A labyrinth seal, lengths in m.

    kind is "stepped" (interlocking) or "straight" (see-through); clearance is radial and may be
    an array. tooth_height (the cavity depth) is needed by the rotordynamic coefficients only;
    teeth_on ("stator" or "rotor") applies to straight seals; flow_coefficient to the program's
    correlation only.
    """

    def __init__(self, kind, diameter, clearance, spacing, thickness, teeth, tooth_height=None,
                 teeth_on="stator", flow_coefficient=0.67):
        if kind not in ("stepped", "straight"):
            raise ValueError(f"kind: {kind!r} is not stepped or straight")
        if teeth_on not in ("stator", "rotor"):
            raise ValueError(f"teeth_on: {teeth_on!r} is not stator or rotor")
        if teeth_on == "rotor" and kind == "stepped":
            raise ValueError("teeth_on goes with straight seals, not stepped ones")
        self.kind = kind
        self.diameter = float(diameter)
        self.clearance = _np.asarray(clearance, dtype=_np.float64)
        if self.clearance.ndim == 0:
            self.clearance = float(self.clearance)
        self.spacing = float(spacing)
        self.thickness = float(thickness)
        self.teeth = float(teeth)
        self.tooth_height = None if tooth_height is None else float(tooth_height)
        self.teeth_on = teeth_on
        self.flow_coefficient = float(flow_coefficient)

    def __repr__(self):
        return (f"torvane.Labyrinth({self.kind!r}, diameter={self.diameter!r}, "
                f"clearance={self.clearance!r}, spacing={self.spacing!r}, "
                f"thickness={self.thickness!r}, teeth={self.teeth!r}, "
                f"tooth_height={self.tooth_height!r}, teeth_on={self.teeth_on!r}, "
                f"flow_coefficient={self.flow_coefficient!r})")

    def _seal(self):
        return _torvane._Seal(self.kind == "straight", self.diameter, self.spacing,
                              self.thickness, self.teeth, self.flow_coefficient,
                              self.tooth_height, self.teeth_on == "rotor")


class LeakageResult:
    """The leakage at every point of a call to leakage(), each an array of the points' shape.

    mass_flow (kg/s), standard_flow (m3/s at 60 deg F and 14.7 psia), inlet_flow (m3/s at the
    upstream state) and exhaust_flow (m3/s at the downstream pressure and the upstream
    temperature), NaN where the point failed; choked (bool: the classical methods say it, the
    correlation does not and gives False); status ("ok", "range", "stop" or "error"), message
    (the failure's text, "" when ok) and warnings (a tuple of texts per point).
    """

    def __init__(self, raw, shape, method):
        self.method = method
        self.mass_flow = _shaped(raw["mass_flow"], shape)
        self.standard_flow = _shaped(raw["standard_flow"], shape)
        self.inlet_flow = _shaped(raw["inlet_flow"], shape)
        self.exhaust_flow = _shaped(raw["exhaust_flow"], shape)
        self.choked = _shaped(raw["choked"], shape)
        self.status = _shaped(_LEAKAGE_STATUS[raw["status"]], shape)
        self.message = _texts(raw["messages"], raw["message_index"], shape)
        self.warnings = _texts(raw["warning_lists"], raw["warning_index"], shape)

    @property
    def ok(self):
        """True where the point was calculated."""
        return self.status == "ok"

    def __repr__(self):
        return f"<torvane.LeakageResult {self.method}, mass_flow={self.mass_flow!r}>"


def leakage(gas, seal, p_up, p_down, T_up, method="correlation", gamma=None, real_gas=False):
    """The leakage of seal for gas from p_up to p_down (Pa) at the upstream temperature T_up (K).

    p_up, p_down, T_up and the seal's clearance broadcast together. method is "correlation"
    (the program's own, with the labyrinth window's range checks, stops and warnings, as
    ``torvane-cli leak``), "martin", "vermes" (Martin-Vermes) or "tooth-by-tooth", worked as
    ``torvane-cli compare`` works them. gamma (cp/cv, tooth by tooth only) defaults to the gas's
    ideal-gas cp0/cv0 at T_up. With real_gas, Martin and Martin-Vermes take Z at the upstream
    state, and tooth by tooth runs along the real gas's isentrope; the correlation always takes
    its specific volumes from the equation of state. Returns a LeakageResult.
    """
    if not isinstance(seal, Labyrinth):
        raise TypeError("seal: a torvane.Labyrinth")
    (pu, pd, tu, cl), shape = _floats(p_up, p_down, T_up, seal.clearance)
    raw = _torvane._leakage(gas._gas, seal._seal(), pu, pd, tu, cl, str(method), _gamma(gamma),
                            bool(real_gas))
    return LeakageResult(raw, shape, method)


class DynamicsResult:
    """The rotordynamic coefficients at every point of a call to dynamics().

    Arrays of the points' shape: kxx, kxy, kyx, kyy (N/m), cxx, cxy, cyx, cyy (N s/m),
    effective_stiffness (N/m), effective_damping (N s/m), whirl_frequency_ratio,
    whirl_frequency (rpm), surface_speed (m/s), status ("ok" or "error") and message; the
    leakage of tooth by tooth the coefficients stand on: leakage_mass_flow (kg/s), choked,
    leakage_status and leakage_message. Per cavity (1 to N-1, the last axis): cavity_pressure
    (Pa), cavity_temperature (K), swirl (m/s), swirl_ratio (swirl over the rotor surface
    speed), shear_rotor and shear_stator (Pa), cavity_viscosity (Pa s). NaN where a speed
    failed; effective_damping and whirl_frequency_ratio are NaN also where they are not
    defined (a whirl frequency of 0), as the calculator's null.

    Sign convention: -[Fx; Fy] = [[kxx, kxy], [kyx, kyy]] [x; y] + [[cxx, cxy], [cyx, cyy]]
    [x'; y'].
    """

    _SCALARS = ("kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy", "effective_stiffness",
                "effective_damping", "whirl_frequency_ratio", "whirl_frequency", "surface_speed")
    _CAVITIES = ("cavity_pressure", "cavity_temperature", "swirl", "swirl_ratio", "shear_rotor",
                 "shear_stator", "cavity_viscosity")

    def __init__(self, raw, shape, speeds):
        for key in self._SCALARS + self._CAVITIES:
            setattr(self, key, _shaped(raw[key], shape))
        self.speed = _shaped(speeds, shape)
        self.status = _shaped(_np.where(raw["ok"], "ok", "error"), shape)
        self.message = _texts(raw["messages"], raw["message_index"], shape)
        self.leakage_mass_flow = _shaped(raw["leakage_mass_flow"], shape)
        self.choked = _shaped(raw["choked"], shape)
        self.leakage_status = _shaped(_np.where(raw["leakage_ok"], "ok", "error"), shape)
        self.leakage_message = _texts(raw["messages"], raw["leakage_message_index"], shape)

    @property
    def ok(self):
        """True where the coefficients were calculated."""
        return self.status == "ok"

    def to_ross(self):
        """The coefficients as ROSS's seal element takes them: a dict with kxx, kxy, kyx, kyy,
        cxx, cxy, cyx, cyy and frequency (the rotor speeds in rad/s), one entry per speed; the
        element's node n is left to the caller (``ross.SealElement(n=..., **result.to_ross())``).

        It takes the coefficients of one seal against speed: a result of at most one dimension
        whose every speed was calculated (else ValueError, naming the first failure).
        """
        if _np.ndim(self.kxx) > 1:
            raise ValueError("to_ross: the coefficients of one seal against speed (at most one "
                             "dimension), not an array of shape " + str(_np.shape(self.kxx)))
        ok = _np.atleast_1d(self.ok)
        if not ok.all():
            k = int(_np.argmin(ok))
            speed = float(_np.atleast_1d(self.speed)[k])
            message = _np.atleast_1d(self.message)[k]
            raise ValueError(f"to_ross: {speed:g} rpm has no coefficients: {message}")
        out = {key: _np.atleast_1d(getattr(self, key)).astype(_np.float64) for key in
               ("kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy")}
        out["frequency"] = _np.atleast_1d(self.speed).astype(_np.float64) * (_np.pi / 30)
        return out

    def __repr__(self):
        return f"<torvane.DynamicsResult kxx={self.kxx!r}>"


def dynamics(gas, seal, p_up, p_down, T_up, speeds, preswirl=0.5, whirl_ratio=1.0,
             viscosity=None, gamma=None, real_gas=False, jenny_kanki=False):
    """The rotordynamic coefficients of seal at rotor speeds (rpm), as ``torvane-cli dynamics``
    gives them, in SI units.

    p_up, p_down (Pa), T_up (K), the seal's clearance and speeds broadcast together; the
    leakage and cavity states of each case are found once for all its speeds. The seal needs its
    tooth_height. preswirl is the inlet swirl over the rotor surface speed (negative against
    rotation), whirl_ratio the whirl frequency over the rotor speed. viscosity: None for the
    gas's own (Lucas with the dense-gas correction), a constant in Pa s, or two states
    ((T1, mu1), (T2, mu2)) in K and Pa s for Sutherland's law. gamma (cp/cv) defaults to the
    gas's ideal-gas cp0/cv0 at T_up. With real_gas the cavity states are those of tooth by tooth
    along the real gas's isentrope, with the real storage term (d rho/dp)_T. jenny_kanki adds
    Jenny and Kanki's momentum factor to the swirl march. Returns a DynamicsResult.
    """
    if not isinstance(seal, Labyrinth):
        raise TypeError("seal: a torvane.Labyrinth")
    if seal.tooth_height is None:
        raise ValueError("dynamics: the seal needs its tooth_height")
    (pu, pd, tu, cl, sp), shape = _floats(p_up, p_down, T_up, seal.clearance, speeds)
    raw = _torvane._dynamics(gas._gas, seal._seal(), pu, pd, tu, cl, sp, float(preswirl),
                             float(whirl_ratio), viscosity, _gamma(gamma), bool(real_gas),
                             bool(jenny_kanki))
    return DynamicsResult(raw, shape, sp)
