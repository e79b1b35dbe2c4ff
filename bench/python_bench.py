"""Benchmarks of the torvane Python module, against the release build:

    cmake --preset release && cmake --build --preset release
    PYTHONPATH=build/release/python taskset -c 1 python3 bench/python_bench.py

Each figure is the median of five runs, CPU time of the process (wall time beside it). The
targets: 1,000,000 correlation points from numpy arrays under 1 s, 10,000 speeds of the
rotordynamic coefficients under 0.5 s. Exits 1 when a median misses its target.
"""

import statistics
import sys
import time

import numpy as np

import torvane

PSI = 6894.757293168361
INCH = 0.0254


def measure(work, repeats=5):
    cpu, wall = [], []
    for _ in range(repeats):
        c0, w0 = time.process_time(), time.perf_counter()
        work()
        cpu.append(time.process_time() - c0)
        wall.append(time.perf_counter() - w0)
    return statistics.median(cpu), statistics.median(wall)


def main():
    gas = torvane.Gas("CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01")
    n = 1_000_000
    rng = np.random.default_rng(1)
    # The calculator's benchmark case, its clearance and pressures spread over the points.
    seal = torvane.Labyrinth("straight", diameter=6 * INCH,
                             clearance=rng.uniform(0.005, 0.02, n) * INCH,
                             spacing=0.125 * INCH, thickness=0.02 * INCH, teeth=8)
    p_up = rng.uniform(300, 900, n) * PSI
    p_down = rng.uniform(50, 250, n) * PSI
    t_up = (100 + 459.67) / 1.8

    def correlation():
        r = torvane.leakage(gas, seal, p_up, p_down, t_up)
        assert r.ok.all()

    air = torvane.Gas("AIR:1")
    stepped = torvane.Labyrinth("stepped", diameter=0.145, clearance=0.3e-3, spacing=3.175e-3,
                                thickness=0.1524e-3, teeth=16, tooth_height=3.175e-3)
    speeds = np.linspace(0, 20000, 10_000)

    def coefficients():
        r = torvane.dynamics(air, stepped, 3.08e5, 0.943e5, 283.15, speeds, preswirl=0.98,
                             gamma=1.4)
        assert r.ok.all()

    rows = [("1,000,000 correlation points (leakage, numpy arrays)", correlation, 1.0),
            ("10,000 speeds of the coefficients (16 teeth, with the leakage)", coefficients,
             0.5)]
    missed = False
    for name, work, target in rows:
        cpu, wall = measure(work)
        ok = cpu < target
        missed |= not ok
        print(f"{name}: {cpu:.3f} s CPU, {wall:.3f} s wall (target < {target:g} s)"
              f"{'' if ok else '  MISSED'}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
