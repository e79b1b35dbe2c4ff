"""How the leakage of a straight labyrinth grows as its teeth wear the clearance open: the
program's correlation beside tooth by tooth for a natural gas, written as a table and, when
matplotlib is installed, plotted to clearance-wear.png.

    PYTHONPATH=build/release/python python3 examples/python/clearance_wear.py [OUTPUT_DIR]
"""

import sys
from pathlib import Path

import numpy as np

import torvane

gas = torvane.Gas("CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01")
clearance = np.linspace(0.15e-3, 0.60e-3, 10)  # m: new to worn
seal = torvane.Labyrinth("straight", diameter=0.150, clearance=clearance, spacing=3.2e-3,
                         thickness=0.5e-3, teeth=8)
p_up, p_down, t_up = 35e5, 7e5, 311.0  # Pa, Pa, K

correlation = torvane.leakage(gas, seal, p_up, p_down, t_up)
tooth_by_tooth = torvane.leakage(gas, seal, p_up, p_down, t_up, method="tooth-by-tooth")

print("clearance (mm)  correlation (kg/s)  tooth by tooth (kg/s)  status")
for k, c in enumerate(clearance):
    print(f"{c * 1e3:14.3f}  {correlation.mass_flow[k]:18.5f}  "
          f"{tooth_by_tooth.mass_flow[k]:21.5f}  {correlation.status[k]}")
for text in sorted({w for ws in correlation.warnings for w in ws}):
    print("warning:", text)

try:
    import matplotlib
except ImportError:
    print("matplotlib is not installed: no plot")
    sys.exit(0)
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

out = Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "clearance-wear.png"
fig, ax = plt.subplots(figsize=(6, 4))
ax.plot(clearance * 1e3, correlation.mass_flow, "o-", label="correlation")
ax.plot(clearance * 1e3, tooth_by_tooth.mass_flow, "s--", label="tooth by tooth")
ax.set_xlabel("radial clearance (mm)")
ax.set_ylabel("leakage (kg/s)")
ax.set_title("Clearance wear, 35 -> 7 bar, 8 teeth")
ax.grid(True)
ax.legend()
fig.tight_layout()
fig.savefig(out, dpi=100)
print("plot:", out)
