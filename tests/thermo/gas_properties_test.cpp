// The caloric properties: the worked example figure by figure, the closed-form derivatives
// against central differences, the ideal-gas limit, the Z = 1 fallback and the temperature
// floor.
#include "thermo/gas_properties.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/equation_of_state.h"
#include "platform/errors.h"
#include "thermo/bwr_residual.h"
#include "thermo_test_support.h"

namespace torvane {
namespace {

using testing::GasOf;
using testing::SameAsPrinted;

constexpr double kExamplePsia = 60e5 / kPascalPerPsi;  // 60 bar
constexpr double kExampleRankine = 540;                 // 300 K

TEST(GasPropertiesTest, WorkedExampleCharacterisationAndDensityRoot) {
  const GasMixture gas = testing::WorkedExampleGas();
  EXPECT_TRUE(SameAsPrinted(gas.mix_mol_weight, "17.8215"));
  const char* bwr[] = {"7510.06",  "0.707925",    "3.81047e+08", "3784.95",
                       "0.986447", "7.02767e+08", "0.542627",    "1.64545"};
  for (size_t k = 0; k < 8; ++k) EXPECT_TRUE(SameAsPrinted(gas.mix_bwr[k], bwr[k])) << k;
  EXPECT_TRUE(SameAsPrinted(kExamplePsia, "870.226"));

  const CompressibilitySolution solved = SolveCompressibility(gas, kExamplePsia, kExampleRankine);
  EXPECT_EQ(solved.iterations, 4);
  const GasProperties p = PropertiesAt(CaloricGas(gas), kExamplePsia, kExampleRankine);
  EXPECT_TRUE(SameAsPrinted(p.z_solver, "0.883485"));
  EXPECT_EQ(p.z_solver, solved.z);
  EXPECT_TRUE(SameAsPrinted(p.bwr_density, "0.169944"));
  EXPECT_TRUE(SameAsPrinted(p.z, "0.883471"));
  EXPECT_TRUE(SameAsPrinted(p.molar_density, "2722.72"));
  EXPECT_TRUE(SameAsPrinted(p.density, "48.5231"));
  EXPECT_TRUE(SameAsPrinted(p.density / 16.018463374, "3.0292"));
  // The root is exact: the equation gives back the pressure.
  const ResidualGroups at_root = BwrResidual(gas, kExampleRankine, p.bwr_density);
  EXPECT_NEAR(p.bwr_density * kGasConstantEos * kExampleRankine * at_root.z / kExamplePsia, 1,
              1e-15);
  EXPECT_FALSE(p.ideal_fallback);
  EXPECT_FALSE(p.temperature_raised);
}

TEST(GasPropertiesTest, WorkedExampleResidualGroups) {
  const GasProperties p =
      PropertiesAt(CaloricGas(testing::WorkedExampleGas()), kExamplePsia, kExampleRankine);
  const ResidualGroups& g = p.residual;
  EXPECT_TRUE(SameAsPrinted(g.alpha, "-0.127378"));
  EXPECT_TRUE(SameAsPrinted(g.energy, "-0.326554"));
  EXPECT_TRUE(SameAsPrinted(g.enthalpy, "-0.443084"));
  EXPECT_TRUE(SameAsPrinted(g.entropy, "-0.199176"));
  EXPECT_TRUE(SameAsPrinted(g.entropy + std::log(p.z), "-0.323074"));
  EXPECT_TRUE(SameAsPrinted(g.cv, "0.193873"));
  EXPECT_TRUE(SameAsPrinted(g.x_t, "1.20143"));
  EXPECT_TRUE(SameAsPrinted(g.x_rho, "0.788716"));
}

TEST(GasPropertiesTest, WorkedExampleResults) {
  const GasProperties p =
      PropertiesAt(CaloricGas(testing::WorkedExampleGas()), kExamplePsia, kExampleRankine);
  EXPECT_DOUBLE_EQ(p.pressure, 60e5);
  EXPECT_DOUBLE_EQ(p.temperature, 300);
  EXPECT_TRUE(SameAsPrinted(p.cp, "45.8551"));
  EXPECT_TRUE(SameAsPrinted(p.cp_mass() / 1000, "2.57302"));
  EXPECT_TRUE(SameAsPrinted(p.cp_mass() / 4186.8, "0.614555"));
  EXPECT_TRUE(SameAsPrinted(p.cv, "30.6387"));
  EXPECT_TRUE(SameAsPrinted(p.cv_mass() / 1000, "1.71919"));
  EXPECT_TRUE(SameAsPrinted(p.cv_mass() / 4186.8, "0.410622"));
  EXPECT_TRUE(SameAsPrinted(p.gamma, "1.49664"));
  EXPECT_TRUE(SameAsPrinted(p.kappa, "1.33612"));
  EXPECT_TRUE(SameAsPrinted(p.speed_of_sound, "406.466"));
  EXPECT_TRUE(SameAsPrinted(p.speed_of_sound / 0.3048, "1333.55"));
  EXPECT_TRUE(SameAsPrinted(p.joule_thomson * 1e5, "0.419123"));
  EXPECT_TRUE(SameAsPrinted(p.joule_thomson * 1.8 * kPascalPerPsi, "0.0520155"));
  EXPECT_TRUE(SameAsPrinted(p.enthalpy, "-1036.2"));
  EXPECT_TRUE(SameAsPrinted(p.enthalpy_mass() / 1000, "-58.1431"));
  EXPECT_TRUE(SameAsPrinted(p.enthalpy_mass() / 2326, "-24.997"));
  EXPECT_TRUE(SameAsPrinted(p.enthalpy_residual, "-1105.2"));
  EXPECT_TRUE(SameAsPrinted(p.entropy, "-32.6705"));
  EXPECT_TRUE(SameAsPrinted(p.entropy_mass() / 1000, "-1.83321"));
  EXPECT_TRUE(SameAsPrinted(p.entropy_mass() / 4186.8, "-0.437854"));
  EXPECT_TRUE(SameAsPrinted(p.entropy_residual, "-2.68618"));
  EXPECT_TRUE(SameAsPrinted(p.molar_mass, "0.0178215"));
}

// A dense natural gas, a hydrogen mixture (negative a and alpha) and a heavy gas.
struct DerivativeCase {
  const char* name;
  GasMixture gas;
  double t;    // degR
  double rho;  // lbmol/ft3
};

std::vector<DerivativeCase> DerivativeCases() {
  return {{"worked example", testing::WorkedExampleGas(), 540, 0.169944},
          {"dense", testing::WorkedExampleGas(), 500, 0.6},
          {"hydrogen", GasOf({{"CH4", 0.5}, {"H2", 0.5}}), 600, 0.3},
          {"propane", GasOf({{"C3H8", 0.8}, {"CO2", 0.2}}), 700, 0.05}};
}

TEST(GasPropertiesTest, ClosedFormDerivativesAgreeWithCentralDifferences) {
  for (const DerivativeCase& c : DerivativeCases()) {
    const auto at = [&](double t, double rho) { return BwrResidual(c.gas, t, rho); };
    const auto p = [&](double t, double rho) { return rho * kGasConstantEos * t * at(t, rho).z; };
    const double t = c.t, rho = c.rho, dt = 1e-5 * t, dr = 1e-5 * rho;
    const ResidualGroups g = at(t, rho);
    // Z = 1 + rho d(alpha)/d(rho); u_res/RT = -T d(alpha)/dT; cv_res/R = d(T u_res/RT)/dT.
    const double alpha_rho = (at(t, rho + dr).alpha - at(t, rho - dr).alpha) / (2 * dr);
    const double alpha_t = (at(t + dt, rho).alpha - at(t - dt, rho).alpha) / (2 * dt);
    const double cv =
        ((t + dt) * at(t + dt, rho).energy - (t - dt) * at(t - dt, rho).energy) / (2 * dt);
    const double x_t = (p(t + dt, rho) - p(t - dt, rho)) / (2 * dt) / (rho * kGasConstantEos);
    const double x_rho = (p(t, rho + dr) - p(t, rho - dr)) / (2 * dr) / (kGasConstantEos * t);
    EXPECT_NEAR((1 + rho * alpha_rho) / g.z, 1, 1e-8) << c.name;
    EXPECT_NEAR(-t * alpha_t / g.energy, 1, 1e-8) << c.name;
    EXPECT_NEAR(cv / g.cv, 1, 1e-7) << c.name;
    EXPECT_NEAR(x_t / g.x_t, 1, 1e-8) << c.name;
    EXPECT_NEAR(x_rho / g.x_rho, 1, 1e-8) << c.name;
    EXPECT_NEAR(g.enthalpy, g.energy + g.z - 1, 1e-15) << c.name;
    EXPECT_NEAR(g.entropy, g.energy - g.alpha, 1e-15) << c.name;
  }
}

// cp = (dh/dT)_p, cp/T = (ds/dT)_p and the Joule-Thomson coefficient -(dh/dp)_T / cp, each
// from states solved at neighbouring pressures and temperatures.
TEST(GasPropertiesTest, HeatCapacityEntropyAndJouleThomsonAgreeWithCentralDifferences) {
  struct State {
    GasMixture gas;
    double psia, rankine;
  };
  const State states[] = {
      {testing::WorkedExampleGas(), kExamplePsia, kExampleRankine},
      {testing::WorkedExampleGas(), 1500, 600},
      {GasOf({{"N2", 1}}), 3000, 540},
      {GasOf({{"CH4", 0.75}, {"H2", 0.2}, {"C2H6", 0.03}, {"N2", 0.02}}), 1700, 630}};
  for (const State& s : states) {
    const CaloricGas gas(s.gas);
    const GasProperties c = PropertiesAt(gas, s.psia, s.rankine);
    const double dt = 1e-4 * s.rankine, dp = 1e-4 * s.psia;
    const GasProperties hot = PropertiesAt(gas, s.psia, s.rankine + dt);
    const GasProperties cold = PropertiesAt(gas, s.psia, s.rankine - dt);
    const GasProperties high = PropertiesAt(gas, s.psia + dp, s.rankine);
    const GasProperties low = PropertiesAt(gas, s.psia - dp, s.rankine);
    const double dt_k = 2 * dt / kRankinePerKelvin, dp_pa = 2 * dp * kPascalPerPsi;
    EXPECT_NEAR((hot.enthalpy - cold.enthalpy) / dt_k / c.cp, 1, 1e-7) << s.psia;
    EXPECT_NEAR((hot.entropy - cold.entropy) / dt_k * c.temperature / c.cp, 1, 1e-7) << s.psia;
    EXPECT_NEAR(-(high.enthalpy - low.enthalpy) / dp_pa / c.cp / c.joule_thomson, 1, 1e-6)
        << s.psia;
    // (d rho/dp)_T.
    EXPECT_NEAR((high.density - low.density) / dp_pa / c.drho_dp_t, 1, 1e-7) << s.psia;
    EXPECT_NEAR(c.kappa, c.density * c.speed_of_sound * c.speed_of_sound / c.pressure, 1e-12);
  }
}

TEST(GasPropertiesTest, AtLowPressureTheGasIsIdeal) {
  const GasMixture mix = testing::WorkedExampleGas();
  const CaloricGas gas(mix);
  const double t_k = 300;
  const GasProperties p = PropertiesAt(gas, 1e-3, t_k * kRankinePerKelvin);
  const IdealGasHeat& ideal = gas.ideal();
  const double r = kMolarGasConstant;
  const double cp0 = r * ideal.CpOverR(t_k);
  EXPECT_NEAR(p.z, 1, 1e-6);
  EXPECT_NEAR(p.cp / cp0, 1, 1e-6);
  EXPECT_NEAR(p.cv / (cp0 - r), 1, 1e-6);
  EXPECT_NEAR(p.gamma / ideal.Gamma(t_k), 1, 1e-6);
  EXPECT_NEAR(p.kappa / ideal.Gamma(t_k), 1, 1e-6);
  EXPECT_NEAR(p.speed_of_sound / std::sqrt(ideal.Gamma(t_k) * r * t_k / gas.molar_mass()), 1, 1e-6);
  EXPECT_NEAR(p.enthalpy, r * ideal.EnthalpyOverR(t_k), 1e-6 * r * t_k);
  const double s0 = r * (ideal.EntropyOverR(t_k) - std::log(p.pressure / kReferencePressure) +
                         ideal.mixing_entropy);
  EXPECT_NEAR(p.entropy, s0, 1e-5);
  // The Joule-Thomson coefficient keeps its low-pressure limit (2a/RT - b)/cp: not zero.
  EXPECT_GT(p.joule_thomson, 0);
}

TEST(GasPropertiesTest, WhereTheZSolverFallsBackThePropertiesAreThoseOfTheIdealGas) {
  // Methane at 500 psia and 300 degR: phase 1 does not settle below the pseudo-critical
  // pressure; at 2000 psia and 200 degR the stepping search does not settle either.
  const CaloricGas methane(GasOf({{"CH4", 1}}));
  struct Case {
    double psia, rankine;
    bool message;
  };
  for (const Case c : {Case{500, 300, true}, Case{2000, 200, false}}) {
    const GasProperties p = PropertiesAt(methane, c.psia, c.rankine);
    const IdealGasHeat& ideal = methane.ideal();
    const double t_k = c.rankine / kRankinePerKelvin, r = kMolarGasConstant;
    EXPECT_TRUE(p.ideal_fallback);
    EXPECT_EQ(p.needs_message, c.message);
    EXPECT_EQ(p.z_solver, 1);
    EXPECT_NEAR(p.z, 1, 1e-15);
    EXPECT_DOUBLE_EQ(p.cp, r * ideal.CpOverR(t_k));
    EXPECT_DOUBLE_EQ(p.cv, r * (ideal.CpOverR(t_k) - 1));
    EXPECT_DOUBLE_EQ(p.kappa, p.gamma);
    EXPECT_EQ(p.joule_thomson, 0);
    EXPECT_EQ(p.enthalpy_residual, 0);
    EXPECT_EQ(p.entropy_residual, 0);
    EXPECT_DOUBLE_EQ(p.enthalpy, r * ideal.EnthalpyOverR(t_k));
  }
}

TEST(GasPropertiesTest, BelowTwoHundredRankineThePropertiesAreThoseAtTwoHundred) {
  const CaloricGas gas(testing::WorkedExampleGas());
  const GasProperties cold = PropertiesAt(gas, 100, 150);
  const GasProperties floor = PropertiesAt(gas, 100, 200);
  EXPECT_TRUE(cold.temperature_raised);
  EXPECT_FALSE(floor.temperature_raised);
  EXPECT_EQ(cold.cp, floor.cp);
  EXPECT_EQ(cold.enthalpy, floor.enthalpy);
  EXPECT_DOUBLE_EQ(cold.temperature, 200 / 1.8);
}

TEST(GasPropertiesTest, PressureNotAboveZeroIsACalculationError) {
  const CaloricGas gas(testing::WorkedExampleGas());
  EXPECT_THROW(PropertiesAt(gas, 0, 540), CalculationError);
  EXPECT_THROW(PropertiesAt(gas, -5, 540), CalculationError);
  EXPECT_THROW(PropertiesAt(gas, std::nan(""), 540), CalculationError);
  EXPECT_THROW(PropertiesAt(gas, 100, std::nan("")), CalculationError);
}

}  // namespace
}  // namespace torvane
