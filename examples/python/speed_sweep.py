"""The rotordynamic coefficients of a 16-tooth interlocking air seal from standstill to
20,000 rpm, with the stability figures, as a table.

    PYTHONPATH=build/release/python python3 examples/python/speed_sweep.py
"""

import numpy as np

import torvane

gas = torvane.Gas("AIR:1")
seal = torvane.Labyrinth("stepped", diameter=0.145, clearance=0.3e-3, spacing=3.175e-3,
                         thickness=0.1524e-3, teeth=16, tooth_height=3.175e-3)
speeds = np.linspace(0, 20000, 11)  # rpm
r = torvane.dynamics(gas, seal, 3.08e5, 0.943e5, 283.15, speeds, preswirl=0.98)

print(f"leakage {r.leakage_mass_flow[0]:.6f} kg/s, gamma {gas.ideal_gas_gamma(283.15):.4f}")
print("speed (rpm)   K (N/m)   k (N/m)  C (N s/m)  c (N s/m)  C eff (N s/m)   WFR")
for k, speed in enumerate(speeds):
    print(f"{speed:11.0f} {r.kxx[k]:9.1f} {r.kxy[k]:9.1f} {r.cxx[k]:10.4f} {r.cxy[k]:10.5f} "
          f"{r.effective_damping[k]:14.4f} {r.whirl_frequency_ratio[k]:6.3f}")
print(f"swirl ratio along the cavities at {speeds[-1]:.0f} rpm:",
      np.array2string(r.swirl_ratio[-1], precision=3))
