"""torvane.dynamics: the coefficients against torvane-cli dynamics, the ROSS hand-off,
broadcasting, failed speeds among good ones, the viscosity laws and the real gas."""

import numpy as np
import pytest

from conftest import (FOOT, INCH, LB_PER_FT_S, LB_PER_MIN, LBF_PER_IN, NATURAL_GAS, PSI, RTOL,
                      cli, conditions, kelvin, labyrinth, options)

# The worked example of the coefficients in English units: a stepped seal of 145 mm, 0.3 mm
# clearance, 3.08 -> 0.943 bar, 10 deg C, 16 teeth 0.1524 mm thick at 3.175 mm, 3.175 mm high.
MM = 1 / 25.4
CASE = {"type": "stepped", "diameter": 145 * MM, "clearance": 0.3 * MM,
        "pressure-up": 3.08e5 / PSI, "pressure-down": 0.943e5 / PSI,
        "temperature-up": 283.15 * 1.8 - 459.67, "thickness": 0.1524 * MM,
        "spacing": 3.175 * MM, "teeth": 16, "flow-coef": 1}
TOOTH_HEIGHT = 3.175 * MM
COEFFICIENTS = ("kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy", "effective_stiffness")


def cli_case(case):
    return [f"{v!r}" if isinstance(v, float) else v for v in options(case)]


def answer_of(case, speeds, *more, gas="AIR:1"):
    return cli("dynamics", "--gas", gas, "--units", "english", *cli_case(case),
               "--tooth-height", repr(TOOTH_HEIGHT), "--speed", ",".join(map(str, speeds)),
               *more)


def check_equal(result, answer):
    for k, speed in enumerate(answer["speeds"]):
        assert result.status[k] == speed["status"]
        for key in COEFFICIENTS:
            np.testing.assert_allclose(getattr(result, key)[k], speed[key] * LBF_PER_IN,
                                       rtol=RTOL, err_msg=key)
        # Not given at a whirl frequency of 0: null in the answer, NaN in the arrays.
        for key, factor in (("effective_damping", LBF_PER_IN), ("whirl_frequency_ratio", 1)):
            if speed[key] is None:
                assert np.isnan(getattr(result, key)[k]), key
            else:
                np.testing.assert_allclose(getattr(result, key)[k], speed[key] * factor,
                                           rtol=RTOL, err_msg=key)
        cavities = speed["cavities"]
        np.testing.assert_allclose(result.swirl[k], [c["swirl"] * FOOT for c in cavities],
                                   rtol=RTOL)
        np.testing.assert_allclose(result.cavity_pressure[k],
                                   [c["pressure"] * PSI for c in cavities], rtol=RTOL)
        np.testing.assert_allclose(result.cavity_temperature[k],
                                   [kelvin(c["temperature"]) for c in cavities], rtol=RTOL)
        np.testing.assert_allclose(result.cavity_viscosity[k],
                                   [c["viscosity"] * LB_PER_FT_S for c in cavities], rtol=RTOL)


@pytest.mark.parametrize("case, more, kwargs", [
    (CASE, ["--gamma", "1.41", "--preswirl", "0.98"], {"gamma": 1.41, "preswirl": 0.98}),
    (dict(CASE, type="straight"), ["--gamma", "1.4", "--teeth-on", "rotor", "--jenny-kanki"],
     {"gamma": 1.4, "teeth_on": "rotor", "jenny_kanki": True}),
    (CASE, ["--gamma", "1.4", "--whirl-ratio", "0.6", "--viscosity", repr(1.8e-5 / LB_PER_FT_S)],
     {"gamma": 1.4, "whirl_ratio": 0.6, "viscosity": 1.8e-5}),
    (CASE, ["--gamma", "1.4", "--viscosity-ref", "%r:%r,%r:%r" % (
        273.15 * 1.8 - 459.67, 1.71e-5 / LB_PER_FT_S, 373.15 * 1.8 - 459.67,
        2.17e-5 / LB_PER_FT_S)],
     {"gamma": 1.4, "viscosity": ((273.15, 1.71e-5), (373.15, 2.17e-5))}),
])
def test_coefficients_are_those_of_dynamics(torvane, case, more, kwargs):
    speeds = [0, 5000, 8000, 11000]
    answer = answer_of(case, speeds, *more)
    teeth_on = kwargs.pop("teeth_on", "stator")
    seal = labyrinth(torvane, case, tooth_height=TOOTH_HEIGHT, teeth_on=teeth_on)
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(case), speeds, **kwargs)
    np.testing.assert_allclose(r.leakage_mass_flow,
                               answer["leakage"]["mass_flow"] * LB_PER_MIN, rtol=RTOL)
    assert (r.choked == answer["leakage"]["choked"]).all()
    check_equal(r, answer)


def test_to_ross_gives_the_keys_of_the_seal_element(torvane):
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    speeds = np.linspace(1000, 15000, 8)
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), speeds, gamma=1.4)
    ross = r.to_ross()
    assert sorted(ross) == sorted(["kxx", "kxy", "kyx", "kyy", "cxx", "cxy", "cyx", "cyy",
                                   "frequency"])
    np.testing.assert_allclose(ross["frequency"], speeds * 2 * np.pi / 60, rtol=1e-15)
    assert (ross["kxx"] == r.kxx).all() and ross["cyx"].shape == (8,)
    one = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), 8000.0, gamma=1.4)
    assert one.to_ross()["kxy"].shape == (1,)


def test_to_ross_refuses_a_failed_speed_or_many_seals(torvane):
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), [1000, -5, 2000])
    with pytest.raises(ValueError, match="^to_ross: -5 rpm has no coefficients: "):
        r.to_ross()
    seal.clearance = np.array([[0.2e-3], [0.3e-3]])
    many = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), [1000, 2000])
    with pytest.raises(ValueError, match="^to_ross: the coefficients of one seal"):
        many.to_ross()


def test_a_failed_speed_keeps_its_message_among_good_ones(torvane):
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    speeds = [1000, -5, np.inf, 2000]
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), speeds, gamma=1.4)
    assert r.status.tolist() == ["ok", "error", "error", "ok"]
    assert r.message[1] != "" and r.message[0] == ""
    assert np.isnan(r.kxx[[1, 2]]).all() and np.isnan(r.swirl[1]).all()
    alone = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), 2000, gamma=1.4)
    assert r.kxy[3] == alone.kxy and (r.swirl[3] == alone.swirl).all()


def test_cases_and_speeds_broadcast(torvane):
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    seal.clearance = np.array([[0.2e-3], [0.3e-3], [0.4e-3]])
    speeds = np.linspace(0, 20000, 41)
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), speeds, gamma=1.4)
    assert r.kxx.shape == (3, 41) and r.swirl.shape == (3, 41, 15)
    assert r.status.shape == (3, 41) and r.leakage_mass_flow.shape == (3, 41)
    assert (np.diff(r.leakage_mass_flow[:, 0]) > 0).all()
    assert np.isnan(r.whirl_frequency_ratio[:, 0]).all() and (r.status == "ok").all()


def test_a_seal_without_tooth_height_is_refused(torvane):
    with pytest.raises(ValueError, match="^dynamics: the seal needs its tooth_height$"):
        torvane.dynamics(torvane.Gas("AIR:1"), labyrinth(torvane, CASE), 3e5, 1e5, 300, 1000)


def test_teeth_that_are_not_whole_fail_every_speed(torvane):
    seal = labyrinth(torvane, dict(CASE, teeth=7.5), tooth_height=TOOTH_HEIGHT)
    r = torvane.dynamics(torvane.Gas("AIR:1"), seal, *conditions(CASE), [1000, 2000])
    assert r.status.tolist() == ["error", "error"] and r.swirl.shape == (2, 0)
    assert r.leakage_status.tolist() == ["error", "error"]


def test_gamma_none_is_the_gas_ideal_gamma(torvane):
    gas = torvane.Gas("AIR:1")
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    p_up, p_down, t_up = conditions(CASE)
    default = torvane.dynamics(gas, seal, p_up, p_down, t_up, 8000)
    given = torvane.dynamics(gas, seal, p_up, p_down, t_up, 8000,
                             gamma=gas.ideal_gas_gamma(t_up))
    assert default.kxy == given.kxy and default.leakage_mass_flow == given.leakage_mass_flow


def test_real_gas_approaches_the_ideal_gas_at_low_pressure(torvane):
    gas = torvane.Gas("AIR:1")
    seal = labyrinth(torvane, CASE, tooth_height=TOOTH_HEIGHT)
    p_up, p_down, t_up = conditions(CASE)
    gamma = gas.ideal_gas_gamma(t_up)
    ideal = torvane.dynamics(gas, seal, p_up, p_down, t_up, 8000, gamma=gamma)
    real = torvane.dynamics(gas, seal, p_up, p_down, t_up, 8000, real_gas=True)
    assert real.status == "ok"
    np.testing.assert_allclose(real.leakage_mass_flow, ideal.leakage_mass_flow, rtol=2e-3)
    np.testing.assert_allclose(real.kxy, ideal.kxy, rtol=1e-2)
    np.testing.assert_allclose(real.cxx, ideal.cxx, rtol=1e-2)
    compare = cli("compare", "--gas", "AIR:1", "--units", "english", "--real-gas",
                  *cli_case(CASE))
    expected = next(m for m in compare["methods"] if m["method"] == "tooth-by-tooth-real-gas")
    np.testing.assert_allclose(real.leakage_mass_flow, expected["mass_flow"] * LB_PER_MIN,
                               rtol=RTOL)


# A natural gas at pipeline pressures through 12 teeth: where the real gas matters.
PIPELINE = dict(CASE, **{"pressure-up": 100e5 / PSI, "pressure-down": 40e5 / PSI,
                         "temperature-up": 300 * 1.8 - 459.67, "teeth": 12})


@pytest.mark.parametrize("real_gas", [False, True])
def test_defaults_are_those_of_dynamics(torvane, real_gas):
    """No gamma given: the gas's own (ideal-gas cp0/cv0 at the upstream temperature), or the
    real gas along its isentrope, exactly as the calculator takes them."""
    speeds = [0, 6000, 12000]
    answer = answer_of(PIPELINE, speeds, *(["--real-gas"] if real_gas else []), gas=NATURAL_GAS)
    assert answer["inputs"]["gamma_source"] == (None if real_gas else "gas")
    seal = labyrinth(torvane, PIPELINE, tooth_height=TOOTH_HEIGHT)
    r = torvane.dynamics(torvane.Gas(NATURAL_GAS), seal, *conditions(PIPELINE), speeds,
                         real_gas=real_gas)
    np.testing.assert_allclose(r.leakage_mass_flow,
                               answer["leakage"]["mass_flow"] * LB_PER_MIN, rtol=RTOL)
    check_equal(r, answer)
