"""Shared pieces of the torvane module's tests: the calculator to compare with, the exact
factors between its English units and SI, and the standard cases."""

import json
import os
import subprocess
from pathlib import Path

import pytest

# Exact factors: 1 in, 1 psi, 1 lb, 1 lbf.
INCH = 0.0254
PSI = 6894.757293168361
POUND = 0.45359237
FOOT = 0.3048
POUND_FORCE = 4.4482216152605
LB_PER_MIN = POUND / 60  # kg/s
FT3_PER_MIN = FOOT**3 / 60  # m3/s
LBF_PER_IN = POUND_FORCE / INCH  # N/m, and lbf-s/in in N s/m
LB_PER_FT_S = POUND / FOOT  # Pa s

RTOL = 1e-9

EXAMPLES = Path(os.environ.get("TORVANE_EXAMPLES_DIR", Path(__file__).parents[2] / "examples"))


def kelvin(fahrenheit):
    return (fahrenheit + 459.67) / 1.8


def cli(*args, check=True):
    """The JSON answer of torvane-cli for args (with --json added), run without the sanitizer
    settings the interpreter of these tests may carry."""
    program = os.environ.get("TORVANE_CLI")
    if not program:
        pytest.skip("TORVANE_CLI names no calculator")
    env = {k: v for k, v in os.environ.items() if k not in ("LD_PRELOAD", "ASAN_OPTIONS")}
    run = subprocess.run([program, *map(str, args), "--json"], capture_output=True, text=True,
                         env=env, check=False)
    if check and run.returncode != 0:
        raise AssertionError(f"torvane-cli {' '.join(map(str, args))}: {run.returncode}\n"
                             f"{run.stderr}")
    return json.loads(run.stdout)


# The standard straight labyrinth of the program's tests, in English units.
STRAIGHT = {"type": "straight", "diameter": 6, "clearance": 0.012, "pressure-up": 500,
            "pressure-down": 100, "temperature-up": 100, "thickness": 0.02, "spacing": 0.125,
            "teeth": 8, "flow-coef": 0.67}
NATURAL_GAS = "CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01"


def options(case):
    out = []
    for key, value in case.items():
        out += [f"--{key}", value]
    return out


def labyrinth(torvane, case, tooth_height=None, teeth_on="stator"):
    """The torvane.Labyrinth of an English case."""
    return torvane.Labyrinth(case["type"], diameter=case["diameter"] * INCH,
                             clearance=case["clearance"] * INCH, spacing=case["spacing"] * INCH,
                             thickness=case["thickness"] * INCH, teeth=case["teeth"],
                             tooth_height=None if tooth_height is None else tooth_height * INCH,
                             teeth_on=teeth_on, flow_coefficient=case["flow-coef"])


def conditions(case):
    """p_up, p_down (Pa) and T_up (K) of an English case."""
    return (case["pressure-up"] * PSI, case["pressure-down"] * PSI,
            kelvin(case["temperature-up"]))


@pytest.fixture(scope="session")
def torvane():
    import torvane as module
    return module
