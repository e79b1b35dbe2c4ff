"""torvane.leakage: the correlation against torvane-cli leak, the methods against compare,
broadcasting, failed points among good ones, gamma from the gas, and the errors of a call."""

import numpy as np
import pytest

from conftest import (FT3_PER_MIN, INCH, LB_PER_MIN, NATURAL_GAS, PSI, RTOL, STRAIGHT, cli,
                      conditions, labyrinth, options)

STEPPED = dict(STRAIGHT, type="stepped", teeth=12, spacing=0.15, thickness=0.03)


@pytest.mark.parametrize("gas, case", [
    ("CH4:1", STRAIGHT),
    (NATURAL_GAS, STEPPED),
    ("AIR:1", dict(STRAIGHT, **{"pressure-up": 45, "pressure-down": 15, "teeth": 20})),
    ("N2:0.5,CO2:0.5", dict(STEPPED, **{"temperature-up": 300, "clearance": 0.03})),
])
def test_correlation_is_that_of_leak(torvane, gas, case):
    answer = cli("leak", "--gas", gas, "--units", "english", *options(case))
    r = torvane.leakage(torvane.Gas(gas), labyrinth(torvane, case), *conditions(case))
    assert r.status == "ok" and r.message == ""
    np.testing.assert_allclose(r.mass_flow, answer["mass_flow"] * LB_PER_MIN, rtol=RTOL)
    np.testing.assert_allclose(r.standard_flow, answer["std_flow"] * FT3_PER_MIN, rtol=RTOL)
    np.testing.assert_allclose(r.inlet_flow, answer["inlet_flow"] * FT3_PER_MIN, rtol=RTOL)
    np.testing.assert_allclose(r.exhaust_flow, answer["exhaust_flow"] * FT3_PER_MIN, rtol=RTOL)
    assert r.warnings == tuple(answer["warnings"])


def test_warnings_are_the_programs_texts(torvane):
    case = dict(STRAIGHT, clearance=0.03)  # clearance over spacing above 0.12
    answer = cli("leak", "--gas", "CH4:1", "--units", "english", *options(case))
    r = torvane.leakage(torvane.Gas("CH4:1"), labyrinth(torvane, case), *conditions(case))
    assert r.warnings == tuple(answer["warnings"]) == (
        "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
        "accurate.",)


def test_arrays_broadcast_like_numpy(torvane):
    gas = torvane.Gas("CH4:1")
    seal = labyrinth(torvane, STRAIGHT)
    seal.clearance = np.linspace(0.008, 0.016, 5) * INCH
    p_up = np.array([[300.0], [400.0], [500.0]]) * PSI
    r = torvane.leakage(gas, seal, p_up, 100 * PSI, 310.0)
    for field in (r.mass_flow, r.standard_flow, r.inlet_flow, r.exhaust_flow, r.choked, r.status,
                  r.message, r.warnings):
        assert np.shape(field) == (3, 5)
    single = torvane.leakage(gas, labyrinth(torvane, dict(STRAIGHT, clearance=0.01)),
                             400 * PSI, 100 * PSI, 310.0)
    np.testing.assert_allclose(r.mass_flow[1, 1], single.mass_flow, rtol=1e-15)
    assert np.ndim(single.mass_flow) == 0 and single.status == "ok"


def test_failed_points_keep_status_and_message_and_nan(torvane):
    gas = torvane.Gas("CH4:1")
    seal = labyrinth(torvane, STRAIGHT)
    # ok; range (above 10000 psia); stop (downstream above upstream); ok; stop (saturation).
    p_up = np.array([500, 20000, 50, 400, 500]) * PSI
    t_up = np.array([310, 310, 310, 310, 80.0])
    r = torvane.leakage(gas, seal, p_up, 100 * PSI, t_up)
    assert r.status.tolist() == ["ok", "range", "stop", "ok", "stop"]
    assert r.ok.tolist() == [True, False, False, True, False]
    assert r.message[0] == "" and r.message[3] == ""
    assert r.message[1].rstrip() == "Maximum allowable pressure is 10000 psia"
    assert r.message[2] == "Downstream pressure is too high"
    assert r.message[4].startswith("Temperature is below saturation of ")
    assert np.isnan(r.mass_flow[[1, 2, 4]]).all() and np.isfinite(r.mass_flow[[0, 3]]).all()
    for k, p in [(1, 20000), (2, 50)]:
        answer = cli("leak", "--gas", "CH4:1", "--units", "english",
                     *options(dict(STRAIGHT, **{"pressure-up": p})), check=False)
        assert r.message[k] == answer["message"]
    alone = torvane.leakage(gas, seal, 400 * PSI, 100 * PSI, 310.0)
    assert r.mass_flow[3] == alone.mass_flow


def test_an_input_that_is_not_a_number_fails_its_point_only(torvane):
    r = torvane.leakage(torvane.Gas("CH4:1"), labyrinth(torvane, STRAIGHT),
                        [500 * PSI, np.nan], 100 * PSI, 310.0)
    assert r.status.tolist() == ["ok", "error"]
    assert r.message[1] == "Calculation error, recheck input and try again"


@pytest.mark.parametrize("method, key", [("martin", "martin"), ("vermes", "vermes"),
                                         ("tooth-by-tooth", "tooth-by-tooth")])
@pytest.mark.parametrize("real_gas", [False, True])
def test_methods_are_those_of_compare(torvane, method, key, real_gas):
    case = dict(STRAIGHT, **{"pressure-up": 900, "pressure-down": 400})
    flags = ["--real-gas"] if real_gas else []
    answer = cli("compare", "--gas", NATURAL_GAS, "--units", "english", "--gamma", 1.27,
                 *flags, *options(case))
    if real_gas and key == "tooth-by-tooth":
        key = "tooth-by-tooth-real-gas"
    expected = next(m for m in answer["methods"] if m["method"] == key)
    r = torvane.leakage(torvane.Gas(NATURAL_GAS), labyrinth(torvane, case), *conditions(case),
                        method=method, gamma=1.27, real_gas=real_gas)
    assert r.status == "ok"
    np.testing.assert_allclose(r.mass_flow, expected["mass_flow"] * LB_PER_MIN, rtol=RTOL)
    assert r.choked == expected["choked"]


def test_methods_volume_flows_are_the_correlations_for_the_same_mass_flow(torvane):
    gas = torvane.Gas(NATURAL_GAS)
    seal = labyrinth(torvane, STRAIGHT)
    correlation = torvane.leakage(gas, seal, *conditions(STRAIGHT))
    martin = torvane.leakage(gas, seal, *conditions(STRAIGHT), method="martin")
    for flow in ("standard_flow", "inlet_flow", "exhaust_flow"):
        np.testing.assert_allclose(
            getattr(martin, flow) / martin.mass_flow,
            getattr(correlation, flow) / correlation.mass_flow, rtol=1e-12, err_msg=flow)


def test_a_method_that_does_not_apply_fails_with_its_message(torvane):
    case = dict(STRAIGHT, teeth=7.5)
    answer = cli("compare", "--gas", "CH4:1", "--units", "english", "--gamma", 1.3,
                 *options(case))
    expected = next(m for m in answer["methods"] if m["method"] == "tooth-by-tooth")
    r = torvane.leakage(torvane.Gas("CH4:1"), labyrinth(torvane, case), *conditions(case),
                        method="tooth-by-tooth", gamma=1.3)
    assert r.status == "error" and r.message == expected["message"] != ""
    assert np.isnan(r.mass_flow) and not r.choked


def test_gamma_none_is_the_gas_ideal_gamma_at_the_upstream_temperature(torvane):
    gas = torvane.Gas(NATURAL_GAS)
    seal = labyrinth(torvane, STRAIGHT)
    p_up, p_down, _ = conditions(STRAIGHT)
    temperatures = np.array([280.0, 330.0, 400.0])
    default = torvane.leakage(gas, seal, p_up, p_down, temperatures, method="tooth-by-tooth")
    for k, t in enumerate(temperatures):
        given = torvane.leakage(gas, seal, p_up, p_down, t, method="tooth-by-tooth",
                                gamma=gas.ideal_gas_gamma(t))
        assert default.mass_flow[k] == given.mass_flow


def test_the_correlation_is_untouched_by_gamma_and_real_gas(torvane):
    gas = torvane.Gas("CH4:1")
    seal = labyrinth(torvane, STRAIGHT)
    plain = torvane.leakage(gas, seal, *conditions(STRAIGHT))
    other = torvane.leakage(gas, seal, *conditions(STRAIGHT), gamma=1.1, real_gas=True)
    assert plain.mass_flow == other.mass_flow
    assert not plain.choked


@pytest.mark.parametrize("call, message", [
    (lambda t, g, s: t.leakage(g, s, 1e6, 1e5, 300, method="ideal"),
     "method: 'ideal' is not correlation, martin, vermes or tooth-by-tooth"),
    (lambda t, g, s: t.leakage(g, s, 1e6, 1e5, 300, method="martin", gamma=1.0),
     "gamma: 1.0 is not above 1"),
    (lambda t, g, s: t.Labyrinth("labyrinth", 0.1, 1e-4, 3e-3, 2e-4, 8),
     "kind: 'labyrinth' is not stepped or straight"),
    (lambda t, g, s: t.Labyrinth("stepped", 0.1, 1e-4, 3e-3, 2e-4, 8, teeth_on="rotor"),
     "teeth_on goes with straight seals, not stepped ones"),
])
def test_a_call_that_cannot_be_answered_raises_value_error(torvane, call, message):
    with pytest.raises(ValueError) as raised:
        call(torvane, torvane.Gas("CH4:1"), labyrinth(torvane, STRAIGHT))
    assert str(raised.value) == message


def test_arrays_that_do_not_broadcast_raise_value_error(torvane):
    with pytest.raises(ValueError):
        torvane.leakage(torvane.Gas("CH4:1"), labyrinth(torvane, STRAIGHT), [1e6, 2e6],
                        [1e5, 2e5, 3e5], 300)
