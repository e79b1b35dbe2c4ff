"""The examples of examples/python run to the end with the module of this build."""

import os
import subprocess
import sys

import pytest

from conftest import EXAMPLES


def run(script, *args, cwd):
    run = subprocess.run([sys.executable, str(EXAMPLES / "python" / script), *map(str, args)],
                         capture_output=True, text=True, cwd=cwd, env=dict(os.environ))
    assert run.returncode == 0, run.stderr
    return run.stdout


def test_clearance_wear_prints_its_table_and_plots_when_it_can(tmp_path):
    out = run("clearance_wear.py", tmp_path, cwd=tmp_path)
    rows = [line for line in out.splitlines() if line.endswith(" ok")]
    assert len(rows) == 10
    try:
        import matplotlib  # noqa: F401
    except ImportError:
        assert "matplotlib is not installed: no plot" in out
    else:
        assert (tmp_path / "clearance-wear.png").stat().st_size > 0


def test_speed_sweep_prints_eleven_speeds(tmp_path):
    out = run("speed_sweep.py", cwd=tmp_path)
    lines = out.splitlines()
    assert lines[0].startswith("leakage ")
    speeds = [line.split()[0] for line in lines[2:13]]
    assert speeds == [str(s) for s in range(0, 20001, 2000)]
    assert lines[13].startswith("swirl ratio along the cavities at 20000 rpm:")


def test_ross_handoff_gives_the_seal_elements_arguments(tmp_path):
    out = run("ross_handoff.py", cwd=tmp_path)
    keys = [line.split()[0] for line in out.splitlines()[:9]]
    assert keys == ["kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy", "frequency"]
