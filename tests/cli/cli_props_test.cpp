// torvane-cli props: the answer's fields, units and order per unit system, the worked example,
// the ideal-gas fallback and the exit codes; and the real-gas tooth by tooth of compare.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/command_line.h"
#include "engine/component_library.h"
#include "support/english_case.h"
#include "thermo/gas_properties.h"
#include "thermo/gas_viscosity.h"

namespace torvane::cli {
namespace {

using testing::Cli;
using testing::CliRun;

constexpr char kWorkedGas[] = "CH4:0.9,C2H6:0.05,C3H8:0.02,N2:0.02,CO2:0.01";

// The number after "key": in an answer, past its units.
double Number(const std::string& json, const std::string& key) {
  const size_t at = json.find("\"" + key + "\":", json.find('}'));
  if (at == std::string::npos) return -1e300;
  return std::stod(json.substr(at + key.size() + 3));
}

std::string Rounded(double v, int digits) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*g", digits, v);
  return buf;
}

TEST(CliPropsTest, AnswerFieldsInOrderWithTheUnitsOfEachSystem) {
  struct System {
    const char* name;
    const char* units;
  };
  const System systems[] = {
      {"english",
       "{\"units\":{\"pressure\":\"psia\",\"temperature\":\"deg F\",\"specific_volume\":"
       "\"ft3/lb\",\"heat_capacity\":\"BTU/lb-R\",\"molar_heat_capacity\":\"BTU/mol-R\","
       "\"enthalpy\":\"BTU/lb\",\"entropy\":\"BTU/lb-R\",\"velocity\":\"ft/sec\","
       "\"viscosity\":\"lb/ft-sec\",\"joule_thomson\":\"deg F/psi\"},\"z\":"},
      {"si",
       "{\"units\":{\"pressure\":\"Bar a\",\"temperature\":\"deg C\",\"specific_volume\":"
       "\"m3/kg\",\"heat_capacity\":\"kJ/kg-K\",\"molar_heat_capacity\":\"kJ/kmol-K\","
       "\"enthalpy\":\"kJ/kg\",\"entropy\":\"kJ/kg-K\",\"velocity\":\"m/sec\","
       "\"viscosity\":\"mPa-sec\",\"joule_thomson\":\"deg C/Bar a\"},\"z\":"},
      {"metric",
       "{\"units\":{\"pressure\":\"kg/cm2 a\",\"temperature\":\"deg C\",\"specific_volume\":"
       "\"m3/kg\",\"heat_capacity\":\"kcal/kg-K\",\"molar_heat_capacity\":\"kcal/mol-K\","
       "\"enthalpy\":\"kcal/kg\",\"entropy\":\"kcal/kg-K\",\"velocity\":\"m/sec\","
       "\"viscosity\":\"mPa-sec\",\"joule_thomson\":\"deg C/kg/cm2 a\"},\"z\":"},
  };
  for (const System& s : systems) {
    const CliRun r = Cli({"props", "--gas", kWorkedGas, "--units", s.name, "--pressure", "50",
                          "--temperature", "30", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind(s.units, 0), 0u) << r.out;
    size_t at = 0;
    for (const char* key : {"z", "z_solver", "ideal_fallback", "molar_mass", "specific_volume",
                            "cp", "cv", "cp_molar", "gamma", "kappa", "speed_of_sound",
                            "joule_thomson", "enthalpy", "entropy", "viscosity", "messages"}) {
      const size_t next = r.out.find("\"" + std::string(key) + "\":", at);
      ASSERT_NE(next, std::string::npos) << key;
      at = next;
    }
    EXPECT_NE(r.out.find("\"ideal_fallback\":false,"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 15), "\"messages\":[]}\n");
  }
}

// 60 bar and 300 K in SI and in English units: the figures of the worked example.
TEST(CliPropsTest, WorkedExampleInSiAndEnglishUnits) {
  const CliRun si = Cli({"props", "--gas", kWorkedGas, "--units", "si", "--pressure", "60",
                         "--temperature", "26.85", "--json"});
  ASSERT_EQ(si.code, 0) << si.err;
  EXPECT_EQ(Rounded(Number(si.out, "z"), 6), "0.883471");
  EXPECT_EQ(Rounded(Number(si.out, "z_solver"), 6), "0.883485");
  EXPECT_EQ(Rounded(Number(si.out, "molar_mass"), 6), "17.8215");
  EXPECT_EQ(Rounded(1 / Number(si.out, "specific_volume"), 6), "48.5231");
  EXPECT_EQ(Rounded(Number(si.out, "cp"), 6), "2.57302");
  EXPECT_EQ(Rounded(Number(si.out, "cv"), 6), "1.71919");
  EXPECT_EQ(Rounded(Number(si.out, "cp_molar"), 6), "45.8551");
  EXPECT_EQ(Rounded(Number(si.out, "gamma"), 6), "1.49664");
  EXPECT_EQ(Rounded(Number(si.out, "kappa"), 6), "1.33612");
  EXPECT_EQ(Rounded(Number(si.out, "speed_of_sound"), 6), "406.466");
  EXPECT_EQ(Rounded(Number(si.out, "joule_thomson"), 6), "0.419123");
  EXPECT_EQ(Rounded(Number(si.out, "enthalpy"), 6), "-58.1431");
  EXPECT_EQ(Rounded(Number(si.out, "entropy"), 6), "-1.83321");

  const CliRun en = Cli({"props", "--gas", kWorkedGas, "--pressure", "870.2263898", "--temperature",
                         "80.33", "--json"});
  ASSERT_EQ(en.code, 0) << en.err;
  EXPECT_EQ(Rounded(1 / Number(en.out, "specific_volume"), 5), "3.0292");
  EXPECT_EQ(Rounded(Number(en.out, "cp"), 6), "0.614555");
  EXPECT_EQ(Rounded(Number(en.out, "cv"), 6), "0.410622");
  EXPECT_EQ(Rounded(Number(en.out, "speed_of_sound"), 6), "1333.55");
  EXPECT_EQ(Rounded(Number(en.out, "joule_thomson"), 5), "0.052016");
  EXPECT_EQ(Rounded(Number(en.out, "enthalpy"), 5), "-24.997");
  EXPECT_EQ(Rounded(Number(en.out, "entropy"), 6), "-0.437854");
  // Btu/(lbmol R) and kcal/(kmol K) are the same number.
  EXPECT_EQ(Rounded(Number(en.out, "cp_molar"), 6), Rounded(45.8551 / 4.1868, 6));
}

TEST(CliPropsTest, TextAnswer) {
  const CliRun r = Cli(
      {"props", "--gas", "N2:1", "--units", "si", "--pressure", "1.01325", "--temperature", "25"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> starts = {"Z                       0.99",
                                           "Z of the solver         0.99",
                                           "Molar mass              28.013 lb/lbmol",
                                           "Specific volume         0.87",
                                           "cp                      1.04",
                                           "cv                      0.74",
                                           "cp, molar               29.1",
                                           "Gamma (cp/cv)           1.40",
                                           "Isentropic exponent     1.40",
                                           "Speed of sound          35",
                                           "Joule-Thomson           0.19",
                                           "Enthalpy                -0.20",
                                           "Entropy                 -0.00",
                                           "Viscosity               0.0178"};
  size_t at = 0;
  for (const std::string& s : starts) {
    EXPECT_EQ(r.out.compare(at, s.size(), s), 0) << s << "\n" << r.out;
    at = r.out.find('\n', at) + 1;
  }
  EXPECT_EQ(at, r.out.size());
}

// The viscosity is the gas's law at the state's temperature and real density, in the viscosity
// unit of each system: lb/(ft s) = 0.45359237/0.3048 Pa s exactly, mPa s.
TEST(CliPropsTest, ViscosityIsTheGasLawAtTheStatesDensity) {
  std::vector<GasComponentSlot> slots;
  for (const GasListEntry& e : ParseGasList(kWorkedGas))
    slots.push_back({*FindComponent(e.code), e.fraction});
  const CaloricGas gas(CharacteriseGas(slots));
  const ViscosityGas law = ViscosityGasOf(gas.mixture());
  struct System {
    const char* name;
    const char* pressure;
    const char* temperature;
    double psia;
    double rankine;
    double pascal_seconds_per_unit;
  };
  const System systems[] = {
      {"english", "870.2263898", "80.33", 870.2263898, 80.33 + 459.67, 0.45359237 / 0.3048},
      {"si", "60", "26.85", 60e5 / 6894.757293168361, 300 * 1.8, 1e-3},
      {"metric", "61.18", "26.85", 61.18 * 98066.5 / 6894.757293168361, 300 * 1.8, 1e-3},
  };
  for (const System& s : systems) {
    SCOPED_TRACE(s.name);
    const CliRun r = Cli({"props", "--gas", kWorkedGas, "--units", s.name, "--pressure", s.pressure,
                          "--temperature", s.temperature, "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const GasProperties p = PropertiesAt(gas, s.psia, s.rankine);
    const double mu = GasViscosity(law, p.temperature, p.density);
    EXPECT_NEAR(Number(r.out, "viscosity") / (mu / s.pascal_seconds_per_unit), 1, 1e-12);
    // Above the dilute gas's: the dense-gas part at 48.5 kg/m3.
    EXPECT_GT(mu, DiluteGasViscosity(law, p.temperature) * 1.05);
    EXPECT_NEAR(mu / 12.5e-6, 1, 0.05) << mu;
  }
}

// Methane at 500 psia and -159.67 deg F: Z does not settle below the pseudo-critical pressure,
// the program's message is shown, and the properties are the ideal gas's.
TEST(CliPropsTest, FallbackToTheIdealGasSaysSo) {
  const CliRun r =
      Cli({"props", "--gas", "CH4:1", "--pressure", "500", "--temperature", "-159.67", "--json"});
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"z\":1,\"z_solver\":1,\"ideal_fallback\":true,"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"joule_thomson\":0,"), std::string::npos);
  EXPECT_NE(r.out.find("\"messages\":[\"Max 'Z' iterations, output data may not be reliable\","
                       "\"Z does not settle here: the properties are those of the ideal gas "
                       "(Z = 1)\"]}"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.err,
            "torvane-cli: Max 'Z' iterations, output data may not be reliable\n"
            "torvane-cli: Z does not settle here: the properties are those of the ideal gas "
            "(Z = 1)\n");
}

TEST(CliPropsTest, ExitCodesAreThoseOfZ) {
  const auto run = [](std::vector<std::string> extra) {
    std::vector<std::string> args = {"props", "--pressure", "100", "--temperature", "60"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Cli(args);
  };
  EXPECT_EQ(run({"--gas", "CH4:1"}).code, 0);
  EXPECT_EQ(run({"--gas", "XX:1"}).code, 3);
  EXPECT_EQ(run({"--gas", "CH4:1", "--units", "imperial"}).code, 2);
  EXPECT_EQ(run({"--gas", "CH4:1", "--bogus"}).code, 2);
  EXPECT_EQ(run({"--case", "/nonexistent/x.gas"}).code, 7);
  EXPECT_EQ(Cli({"props", "--gas", "CH4:1", "--pressure", "0", "--temperature", "60"}).code, 6);
  EXPECT_EQ(Cli({"props", "--gas", "CH4:1", "--pressure", "100"}).code, 2);
  const CliRun cold =
      Cli({"props", "--gas", "CH4:1", "--pressure", "100", "--temperature", "-300", "--json"});
  EXPECT_EQ(cold.code, 0);
  EXPECT_NE(cold.out.find("\"messages\":[\"Below 200 deg R the properties are those at 200 deg "
                          "R\"]"),
            std::string::npos);
}

TEST(CliPropsTest, CompareWithTheRealGasAddsToothByToothAlongTheIsentrope) {
  // The English case of leak: 6 in stepped seal, 500 -> 100 psia at 100 deg F, 8 teeth.
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  std::vector<std::string> args = {"compare", "--gas", "CH4:1"};
  for (const std::string& a : testing::CaseArguments(in)) args.push_back(a);
  args.push_back("--json");
  const CliRun ideal = Cli(args);
  ASSERT_EQ(ideal.code, 0);
  EXPECT_EQ(ideal.out.find("tooth-by-tooth-real-gas"), std::string::npos);
  std::vector<std::string> with = args;
  with.push_back("--real-gas");
  const CliRun real = Cli(with);
  ASSERT_EQ(real.code, 0) << real.err;
  const size_t ideal_at = real.out.find("{\"method\":\"tooth-by-tooth\",");
  const size_t real_at = real.out.find(
      "{\"method\":\"tooth-by-tooth-real-gas\",\"status\":\"ok\","
      "\"message\":\"\",\"mass_flow\":");
  ASSERT_NE(real_at, std::string::npos) << real.out;
  EXPECT_LT(ideal_at, real_at);
  EXPECT_EQ(real.out.substr(real.out.size() - 5), "]}]}\n");
  // Methane at 500 psia leaks more as a real gas; the cavities run from 500 psia to 100.
  const auto flow = [&real](size_t object) {
    return std::stod(real.out.substr(real.out.find("\"mass_flow\":", object) + 12));
  };
  const double real_flow = flow(real_at);
  const double ideal_flow = flow(ideal_at);
  EXPECT_GT(real_flow, ideal_flow);
  EXPECT_NE(real.out.find("\"cavity_pressures\":[500,", real_at), std::string::npos);
}

}  // namespace
}  // namespace torvane::cli
