"""The coefficients of a see-through seal against speed handed to ROSS as a seal element:
the keyword arguments of ross.SealElement, with the node left to the caller.

    PYTHONPATH=build/release/python python3 examples/python/ross_handoff.py
"""

import numpy as np

import torvane

gas = torvane.Gas("CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01")
seal = torvane.Labyrinth("straight", diameter=0.200, clearance=0.25e-3, spacing=4e-3,
                         thickness=0.3e-3, teeth=12, tooth_height=4e-3, teeth_on="rotor")
speeds = np.linspace(1000, 15000, 15)  # rpm
result = torvane.dynamics(gas, seal, 60e5, 25e5, 310.0, speeds, preswirl=0.6, real_gas=True)
coefficients = result.to_ross()

for key, values in coefficients.items():
    print(f"{key:9s} {values[0]: .6g} ... {values[-1]: .6g}  ({values.size} values)")

try:
    import ross
except ImportError:
    print("ROSS is not installed: ross.SealElement(n=..., **coefficients) builds the element")
else:
    element = ross.SealElement(n=4, **coefficients)
    print(element)
