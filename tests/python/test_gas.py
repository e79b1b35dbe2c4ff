"""torvane.Gas: its forms, its attributes, Z, the saturation temperature and the caloric
properties against torvane-cli, and the errors a gas raises."""

import warnings

import numpy as np
import pytest

from conftest import EXAMPLES, NATURAL_GAS, PSI, RTOL, cli, kelvin


def test_list_and_dict_give_the_same_gas(torvane):
    a = torvane.Gas("CH4:0.9,C2H6:0.1")
    b = torvane.Gas({"CH4": 0.9, "C2H6": 0.1})
    assert a.components == b.components == [("CH4", 0.9), ("C2H6", 0.1)]
    assert a.molar_mass == b.molar_mass


def test_attributes_are_those_of_characterise_in_si(torvane):
    gas = torvane.Gas(NATURAL_GAS)
    answer = cli("characterise", "--gas", NATURAL_GAS)  # lb/lbmol, deg R, psia
    np.testing.assert_allclose(gas.molar_mass, answer["mol_weight"] / 1000, rtol=RTOL)
    np.testing.assert_allclose(gas.pseudo_critical_temperature, answer["pseudo_crit_temp"] / 1.8,
                               rtol=RTOL)
    np.testing.assert_allclose(gas.pseudo_critical_pressure, answer["pseudo_crit_press"] * PSI,
                               rtol=RTOL)


@pytest.mark.parametrize("gas, message", [
    ("CH4:0.9,XYZ:0.1", "Gas XYZ is not in library"),
    ("CH4:abc", "bad gas list: the fraction of 'CH4:abc' is not a number"),
    ("CH4", "bad gas list: 'CH4' is not CODE:FRACTION"),
    ("", "bad gas list: it is empty"),
    ({"CH4": "0.9"}, "bad gas list: the fraction of 'CH4' is not a number"),
    ({"CH4": float("nan")}, "bad gas list: the fraction of 'CH4' is not a number"),
    ({"ch4": 1.0}, "Gas ch4 is not in library"),
    ({}, "bad gas list: it is empty"),
    ({"CH4": 0.0}, "Calculation error, recheck input and try again"),
])
def test_a_gas_that_cannot_be_used_raises_gas_error(torvane, gas, message):
    with pytest.raises(torvane.GasError) as raised:
        torvane.Gas(gas)
    assert str(raised.value) == message
    assert isinstance(raised.value, ValueError)


def test_more_than_thirty_components_raise_gas_error(torvane):
    with pytest.raises(torvane.GasError, match="^bad gas list: more than 30 components$"):
        torvane.Gas(",".join(["CH4:0.03"] * 31))


def test_gas_file_and_settings_file_give_the_case_gas(torvane):
    gas = torvane.Gas.from_file(EXAMPLES / "natural-gas.gas")
    settings = torvane.Gas.from_file(str(EXAMPLES / "natural-gas.trv"), section=0)
    answer = cli("characterise", "--case", EXAMPLES / "natural-gas.gas")
    assert gas.components == settings.components
    np.testing.assert_allclose(gas.molar_mass, answer["mol_weight"] / 1000, rtol=RTOL)


def test_a_file_that_cannot_be_read_raises_file_error(torvane, tmp_path):
    missing = tmp_path / "missing.gas"
    with pytest.raises(torvane.FileError) as raised:
        torvane.Gas.from_file(missing)
    assert str(missing) in str(raised.value)
    assert isinstance(raised.value, OSError)


def test_a_section_the_file_lacks_raises_value_error(torvane):
    with pytest.raises(ValueError, match=r"^section: the file has gas sections 0\.\.0, not 2$"):
        torvane.Gas.from_file(EXAMPLES / "natural-gas.gas", section=2)


def test_z_broadcasts_and_is_that_of_the_calculator(torvane):
    gas = torvane.Gas(NATURAL_GAS)
    pressures = np.array([14.7, 500, 1000, 2500])  # psia
    temperatures = np.array([[520.0], [600.0], [700.0]])  # deg R
    z = gas.z(pressures * PSI, temperatures / 1.8)
    assert z.shape == (3, 4)
    for i, t in enumerate(temperatures[:, 0]):
        for j, p in enumerate(pressures):
            answer = cli("z", "--gas", NATURAL_GAS, "--pressure", p, "--temperature", t)
            np.testing.assert_allclose(z[i, j], answer["z"], rtol=RTOL)


def test_z_of_a_scalar_state_is_a_scalar(torvane):
    z = torvane.Gas("CH4:1").z(68.95e5, 310.65)
    assert np.ndim(z) == 0 and 0.8 < z < 1


def test_z_of_a_state_that_cannot_be_worked_is_nan_among_the_others(torvane):
    z = torvane.Gas("CH4:1").z([1e6, np.nan, 2e6], 300)
    assert np.isfinite(z[[0, 2]]).all() and np.isnan(z[1])


def test_saturation_temperature_is_that_of_tsat(torvane):
    gas = torvane.Gas(NATURAL_GAS)
    t = gas.saturation_temperature(np.array([14.696, 850]) * PSI)
    for k, p in enumerate([14.696, 850]):
        answer = cli("tsat", "--gas", NATURAL_GAS, "--pressure", p)  # deg R
        np.testing.assert_allclose(t[k], answer["saturation_temp"] / 1.8, rtol=RTOL)


def test_properties_are_those_of_props_in_si(torvane):
    gas_text = "CH4:0.9,C2H6:0.05,C3H8:0.02,N2:0.02,CO2:0.01"
    gas = torvane.Gas(gas_text)
    props = gas.properties([60e5, 20e5], 300.0)
    answer = cli("props", "--gas", gas_text, "--units", "si", "--pressure", 60,
                 "--temperature", 26.85)
    # kJ/kg-K, kJ/kmol-K, kJ/kg, deg C/Bar a: exact in SI.
    expected = {"z": answer["z"], "z_solver": answer["z_solver"],
                "molar_mass": answer["molar_mass"] / 1000,
                "specific_volume": answer["specific_volume"], "cp": answer["cp"] * 1000,
                "cv": answer["cv"] * 1000, "cp_molar": answer["cp_molar"],
                "gamma": answer["gamma"], "kappa": answer["kappa"],
                "speed_of_sound": answer["speed_of_sound"],
                "joule_thomson": answer["joule_thomson"] / 1e5,
                "enthalpy": answer["enthalpy"] * 1000, "entropy": answer["entropy"] * 1000}
    for key, value in expected.items():
        np.testing.assert_allclose(props[key][0], value, rtol=RTOL, err_msg=key)
    assert props["ideal_fallback"].tolist() == [False, False]
    np.testing.assert_allclose(props["density"] * props["specific_volume"], 1, rtol=1e-15)
    # The worked example of the caloric properties, and the viscosity of the gas's own law.
    np.testing.assert_allclose(props["speed_of_sound"][0], 406.466, rtol=2e-6)
    assert 1.0e-5 < props["viscosity"][0] < 2.0e-5


def test_properties_below_200_degrees_rankine_say_so(torvane):
    props = torvane.Gas("N2:1").properties(1e5, [100.0, 300.0])
    assert props["temperature_raised"].tolist() == [True, False]
    np.testing.assert_allclose(props["temperature"][0], 200 / 1.8, rtol=1e-15)


def test_the_iteration_limit_is_one_warning_per_call(torvane):
    gas = torvane.Gas("CO2:1")
    answer = cli("z", "--gas", "CO2:1", "--pressure", 35e5 / PSI, "--temperature", 450)
    assert answer["messages"] == ["Max 'Z' iterations, output data may not be reliable"]
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        z = gas.z([10e5, 35e5, 35e5], 250.0)
        props = gas.properties(35e5, 250.0)
    np.testing.assert_allclose(z[1], answer["z"], rtol=RTOL)
    np.testing.assert_allclose(props["z_solver"], answer["z"], rtol=RTOL)
    assert [str(w.message) for w in caught] == [
        "Max 'Z' iterations, output data may not be reliable"] * 2
    assert all(w.category is RuntimeWarning for w in caught)


def test_ideal_gas_gamma_of_air_is_about_1_4(torvane):
    assert 1.39 < torvane.Gas("AIR:1").ideal_gas_gamma(300.0) < 1.41


def test_version_is_the_programs(torvane):
    import subprocess
    import os
    out = subprocess.run([os.environ["TORVANE_CLI"], "--version"], capture_output=True,
                         text=True, env={k: v for k, v in os.environ.items()
                                         if k not in ("LD_PRELOAD", "ASAN_OPTIONS")})
    assert torvane.__version__ in out.stdout
