// The isentrope: entropy kept, dh = dp/rho and d rho/dp = 1/w^2 along it, and the table
// against exact look-ups.
#include "thermo/isentrope.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/errors.h"
#include "thermo_test_support.h"

namespace torvane {
namespace {

TEST(IsentropeTest, KeepsTheEntropyWithDhEqualToDpOverRho) {
  const CaloricGas gas(testing::WorkedExampleGas());
  const GasProperties inlet = PropertiesAtSi(gas, 100e5, 320);
  const Isentrope isentrope(gas, inlet);
  for (double p : {90e5, 60e5, 40e5, 10e5}) {
    const IsentropePoint s = isentrope.At(p);
    const GasProperties& q = s.properties;
    EXPECT_NEAR(q.entropy, inlet.entropy, 1e-11 * std::fabs(inlet.entropy) + 1e-11) << p;
    EXPECT_DOUBLE_EQ(q.pressure, p);
    // The state solved again from its pressure and temperature is the same state.
    const GasProperties again = PropertiesAtSi(gas, p, q.temperature);
    EXPECT_NEAR(again.density / q.density, 1, 1e-12) << p;
    EXPECT_LT(q.temperature, inlet.temperature);
    // Central differences along the isentrope.
    const double dp = 1e-4 * p;
    const IsentropePoint hi = isentrope.At(p + dp, s), lo = isentrope.At(p - dp, s);
    const double dh = (hi.properties.enthalpy_mass() - lo.properties.enthalpy_mass()) / (2 * dp);
    const double drho = (hi.properties.density - lo.properties.density) / (2 * dp);
    const double w = q.speed_of_sound;
    EXPECT_NEAR(dh * q.density, 1, 1e-8) << p;
    EXPECT_NEAR(drho * w * w, 1, 1e-7) << p;
  }
}

TEST(IsentropeTest, TableAgreesWithExactLookUps) {
  struct Case {
    GasMixture gas;
    double pa, kelvin, lowest;
  };
  const Case cases[] = {
      {testing::WorkedExampleGas(), 100e5, 310, 20e5},
      {testing::GasOf({{"AIR", 1}}), 3.08e5, 283.15, 0.3e5},
      {testing::GasOf({{"CH4", 0.7}, {"CO2", 0.3}}), 120e5, 300, 40e5},
  };
  for (const Case& c : cases) {
    const CaloricGas gas(c.gas);
    const Isentrope isentrope(gas, PropertiesAtSi(gas, c.pa, c.kelvin));
    IsentropeTable table(isentrope);
    ExactIsentrope exact(isentrope);
    const double u0 = std::log(c.pa), u1 = std::log(c.lowest);
    for (int i = 0; i <= 200; ++i) {
      const double u = u0 + (u1 - u0) * i / 200;
      const IsentropeSample a = table.At(u), b = exact.At(u);
      EXPECT_NEAR(a.rho / b.rho, 1, 2e-9) << i;
      EXPECT_NEAR(a.rho_u / b.rho_u, 1, 1e-6) << i;
      EXPECT_NEAR(a.h, b.h, 1e-9 * b.h_u) << i;
      EXPECT_NEAR(a.h_u / b.h_u, 1, 1e-6) << i;
    }
    EXPECT_GT(table.nodes(), 10);
  }
}

TEST(IsentropeTest, FallbackInletOrATemperatureBelowTheFloorIsACalculationError) {
  const CaloricGas methane(testing::GasOf({{"CH4", 1}}));
  EXPECT_THROW(Isentrope(methane, PropertiesAt(methane, 500, 300)), CalculationError);
  const CaloricGas air(testing::GasOf({{"AIR", 1}}));
  const Isentrope isentrope(air, PropertiesAtSi(air, 1e5, 250));
  EXPECT_THROW(isentrope.At(1e2), CalculationError);  // about 35 K
}

}  // namespace
}  // namespace torvane
